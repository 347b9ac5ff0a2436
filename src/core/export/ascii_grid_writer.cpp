#include "export/ascii_grid_writer.h"

#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <string_view>
#include <vector>

#include "edit/value_text.h"

namespace koravel {
namespace {

constexpr double kSecondsPerDegree = 3600.0;
// Large enough that a single mesh goes out in one write, small enough that a
// large mosaic never sits whole in memory as text.
constexpr std::size_t kWriteChunk = 1 << 20;

std::string Degrees(double seconds) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, seconds / kSecondsPerDegree);
  return std::string(text, end.ptr);
}

std::string GridHeader(const ExportRaster& raster) {
  const MeshGeoreference& frame = raster.Frame;
  std::string header = "ncols " + std::to_string(raster.Columns) + "\nnrows " + std::to_string(raster.Rows) +
                       "\nxllcorner " + Degrees(frame.WestLongitude) + "\nyllcorner " +
                       Degrees(frame.SouthLatitude) + "\n";
  if (frame.LongitudeStep == frame.LatitudeStep) {
    header += "cellsize " + Degrees(frame.LongitudeStep) + "\n";
  } else {
    header += "dx " + Degrees(frame.LongitudeStep) + "\ndy " + Degrees(frame.LatitudeStep) + "\n";
  }
  return header + "NODATA_value " + ValueText(kNoData) + "\n";
}

bool WriteAll(int descriptor, std::string_view text) {
  while (!text.empty()) {
    const ssize_t written = write(descriptor, text.data(), text.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

std::optional<ErrorCode> WriteAsciiGrid(int descriptor, const ExportRaster& raster) {
  std::string text = GridHeader(raster);
  text.reserve(kWriteChunk + static_cast<std::size_t>(raster.Columns) * 7);
  std::vector<std::int32_t> row(static_cast<std::size_t>(raster.Columns));
  for (int y = 0; y < raster.Rows; ++y) {
    raster.FillRow(y, row);
    for (std::size_t x = 0; x < row.size(); ++x) {
      AppendValueText(text, row[x]);
      text += x + 1 < row.size() ? ' ' : '\n';
    }
    if (text.size() >= kWriteChunk || y + 1 == raster.Rows) {
      if (!WriteAll(descriptor, text)) return ErrorCode::FileError;
      text.clear();
    }
  }
  return std::nullopt;
}

std::string TokyoDatumProjection() {
  return "GEOGCS[\"GCS_Tokyo\",DATUM[\"D_Tokyo\",SPHEROID[\"Bessel_1841\",6377397.155,"
         "299.1528128]],PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433]]";
}

}  // namespace koravel
