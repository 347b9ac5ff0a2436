#include "core/views/position_readout.h"

#include <cmath>
#include <cstdio>

#include "core/geo/mesh_georeference.h"
#include "core/text/value_text.h"

namespace koravel {
namespace {

// Degrees, minutes and seconds as "DD°MM' SS.S" with the given widths; the
// seconds are rounded in the text only, never carried into the minutes.
std::string AngleText(double seconds, const char* format) {
  const double degrees = std::floor(seconds / 3600);
  const double minutes = std::floor((seconds - 3600 * degrees) / 60);
  const double rest = seconds - 3600 * degrees - 60 * minutes;
  char text[96];
  std::snprintf(text, sizeof text, format, degrees, minutes, rest);
  return text;
}

}  // namespace

std::string RecordPositionText(int column, int row) {
  char text[64];
  std::snprintf(text, sizeof text, "レコード位置 : %03d , %03d", column, row);
  return text;
}

std::string LatitudeLongitudeText(const MeshDocument& document, int column, int row) {
  const GeographicPoint corner = MeshGeoreference::Of(document).CellSouthWest(column, row);
  return "緯度 : " + AngleText(corner.Latitude, "%02.0f°%02.0f' %04.1f") + "\" , 経度 : " +
         AngleText(corner.Longitude, "%03.0f°%02.0f' %05.2f") + "\"";
}

std::string ModeText(EditMode mode) {
  switch (mode) {
    case EditMode::PointEdit: return "点編集モード";
    case EditMode::Brush: return "筆モード";
    case EditMode::Select: return "範囲選択モード";
  }
  return {};
}

std::string SelectionText(int cells) { return cells == 0 ? std::string() : "選択 : " + std::to_string(cells) + " セル"; }

std::string PointerText(int column, int row, std::int32_t tenths) {
  return "ポインタ " + RecordPositionText(column, row) + "\n標高 : " + ValueText(tenths);
}

}  // namespace koravel
