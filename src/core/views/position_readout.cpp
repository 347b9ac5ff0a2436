#include "core/views/position_readout.h"

#include <cmath>
#include <cstdio>

#include "core/analysis/surface_height.h"
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

std::string PositionText(GeographicPoint position) {
  return "緯度 : " + AngleText(position.Latitude, "%02.0f°%02.0f' %04.1f") + "\" , 経度 : " +
         AngleText(position.Longitude, "%03.0f°%02.0f' %05.2f") + "\"";
}

}  // namespace

std::string RecordPositionText(int column, int row) {
  char text[64];
  std::snprintf(text, sizeof text, "レコード位置 : %03d , %03d", column, row);
  return text;
}

std::string LatitudeLongitudeText(const MeshDocument& document, int column, int row) {
  return PositionText(MeshGeoreference::Of(document).CellSouthWest(column, row));
}

std::string ModeText(EditMode mode) {
  switch (mode) {
    case EditMode::PointEdit: return "点編集モード";
    case EditMode::Brush: return "筆モード";
    case EditMode::Select: return "範囲選択モード";
    case EditMode::ProfileLine: return "断面線";
    case EditMode::Measure: return "距離を測る";
  }
  return {};
}

std::string SelectionText(int cells) { return cells == 0 ? std::string() : "選択 : " + std::to_string(cells) + " セル"; }

std::string PointerText(const MeshDocument& mesh, GridPoint point) {
  const int column = static_cast<int>(std::floor(point.X)) + 1;
  const int row = static_cast<int>(std::floor(point.Y)) + 1;
  std::string height = "標高 : " + ValueText(mesh.Elevation(column, row));
  if (const std::optional<double> between = BilinearHeight(mesh, point)) {
    char text[32];
    std::snprintf(text, sizeof text, " (補間 %.1f)", *between);
    height += text;
  }
  return "ポインタ " + RecordPositionText(column, row) + "\n" + height + "\n" +
         PositionText(MeshGeoreference::Of(mesh).ToGeographic(point));
}

std::string MeasureText(const PathMeasure& measure) {
  const auto length = [](double metres) {
    char text[32];
    std::snprintf(text, sizeof text, metres < 1000 ? "%.0f m" : "%.3f km", metres < 1000 ? metres : metres / 1000);
    return std::string(text);
  };
  std::string text = "距離 : ";
  for (std::size_t i = 0; i < measure.LegMetres.size(); ++i) text += (i > 0 ? " + " : "") + length(measure.LegMetres[i]);
  if (measure.LegMetres.size() > 1) text += " = " + length(measure.TotalMetres);
  if (measure.LegMetres.empty()) text += "0 m";
  if (measure.AreaSquareMetres > 0) {
    char area[48];
    std::snprintf(area, sizeof area, "、面積 : %.3f km²", measure.AreaSquareMetres / 1e6);
    text += area;
  }
  return text;
}

}  // namespace koravel
