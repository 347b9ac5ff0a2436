#include "ascii_grid_export.h"

#include <charconv>

#include "edit/value_text.h"
#include "mesh/file_replace.h"

namespace koravel {
namespace {

constexpr double kSecondsPerDegree = 3600.0;

std::string Degrees(double seconds) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, seconds / kSecondsPerDegree);
  return std::string(text, end.ptr);
}

std::string GridHeader(const MeshDocument& document) {
  std::string header = "ncols " + std::to_string(kMeshSize) + "\nnrows " +
                       std::to_string(kMeshSize) + "\nxllcorner " +
                       Degrees(document.SWLonSeconds) + "\nyllcorner " +
                       Degrees(document.SWLatSeconds) + "\n";
  if (document.LonStep == document.LatStep) {
    header += "cellsize " + Degrees(document.LonStep) + "\n";
  } else {
    header += "dx " + Degrees(document.LonStep) + "\ndy " + Degrees(document.LatStep) + "\n";
  }
  return header + "NODATA_value " + ValueText(kNoData) + "\n";
}

}  // namespace

std::string FormatAsciiGrid(const MeshDocument& document) {
  std::string grid = GridHeader(document);
  grid.reserve(grid.size() + kMeshSize * kMeshSize * 7);
  for (int y = 1; y <= kMeshSize; ++y) {
    for (int x = 1; x <= kMeshSize; ++x) {
      AppendValueText(grid, document.Elevation(x, y));
      grid += x < kMeshSize ? ' ' : '\n';
    }
  }
  return grid;
}

std::string TokyoDatumProjection() {
  return "GEOGCS[\"GCS_Tokyo\",DATUM[\"D_Tokyo\",SPHEROID[\"Bessel_1841\",6377397.155,"
         "299.1528128]],PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433]]";
}

std::optional<ErrorCode> ExportAsciiGrid(const MeshDocument& document,
                                         const std::filesystem::path& grid_path) {
  std::filesystem::path projection_path = grid_path;
  projection_path.replace_extension(".prj");
  // The projection would overwrite the grid just written.
  if (projection_path == grid_path) return ErrorCode::InvalidPathOrNotWritable;
  if (auto failure = ReplaceFileContents(grid_path, FormatAsciiGrid(document))) return failure;
  return ReplaceFileContents(projection_path, TokyoDatumProjection());
}

}  // namespace koravel
