#include "core/export/mesh_index.h"

#include <algorithm>
#include <cmath>
#include <variant>

#include "core/mesh/mesh_reader.h"

namespace koravel {
namespace {

constexpr double kStepTolerance = 1e-9;  // arc-seconds
constexpr double kCellTolerance = 1e-6;  // cells
// Files whose headers are read before they are placed: enough to keep the
// cores busy, few enough that their frames never add up to much.
constexpr std::size_t kFilesPerRound = 1 << 14;

using Header = std::variant<MeshGeoreference, ErrorCode>;

Header ReadHeader(const std::filesystem::path& path) {
  const MeshReadResult read = ReadMeshHeaderFile(path);
  if (!read.document) return read.error.value_or(ErrorCode::FileError);
  return MeshGeoreference::Of(*read.document);
}

std::optional<std::int64_t> WholeCells(double cells) {
  const double whole = std::round(cells);
  if (std::abs(cells - whole) > kCellTolerance) return std::nullopt;
  return static_cast<std::int64_t>(whole);
}

// The mesh's place on the grid of `first`, or why it has none.
std::variant<GridPosition, ErrorCode> Place(const MeshGeoreference& first, const MeshGeoreference& mesh) {
  if (std::abs(mesh.LongitudeStep - first.LongitudeStep) > kStepTolerance ||
      std::abs(mesh.LatitudeStep - first.LatitudeStep) > kStepTolerance) {
    return ErrorCode::MeshStepsDiffer;
  }
  const std::optional<std::int64_t> column = WholeCells((mesh.WestLongitude - first.WestLongitude) / first.LongitudeStep);
  const std::optional<std::int64_t> row = WholeCells((first.NorthLatitude - mesh.NorthLatitude) / first.LatitudeStep);
  if (!column || !row) return ErrorCode::MeshOffGrid;
  return GridPosition{*column, *row, kMeshSize, kMeshSize};
}

void PlaceRound(const std::vector<Header>& headers, std::size_t first_file, MeshIndex& index) {
  for (std::size_t i = 0; i < headers.size(); ++i) {
    const std::size_t file = first_file + i;
    if (const ErrorCode* error = std::get_if<ErrorCode>(&headers[i])) {
      index.LeftOut.push_back({file, *error});
      continue;
    }
    const MeshGeoreference& mesh = std::get<MeshGeoreference>(headers[i]);
    if (!index.First) index.First = mesh;
    const std::variant<GridPosition, ErrorCode> place = Place(*index.First, mesh);
    if (const ErrorCode* refused = std::get_if<ErrorCode>(&place)) {
      index.LeftOut.push_back({file, *refused});
    } else {
      index.Meshes.push_back({file, std::get<GridPosition>(place)});
    }
  }
}

}  // namespace

MeshIndex IndexMeshes(const PathList& files, const ProgressReport& progress) {
  MeshIndex index;
  for (std::size_t first = 0; first < files.Size(); first += kFilesPerRound) {
    std::vector<Header> headers(std::min(kFilesPerRound, files.Size() - first));
    ForEachInParallel(
        headers.size(), [&](std::size_t i) { headers[i] = ReadHeader(files[first + i]); },
        [&](std::size_t done, std::size_t) {
          if (progress) progress(first + done, files.Size());
        });
    PlaceRound(headers, first, index);
  }
  return index;
}

}  // namespace koravel
