#include "core/export/mosaic.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "core/export/export_raster.h"
#include "core/export/mesh_export.h"
#include "core/mesh/mesh_reader.h"

namespace koravel {
namespace {

constexpr double kStepTolerance = 1e-9;  // arc-seconds
constexpr double kCellTolerance = 1e-6;  // cells
// Cells from the first mesh a mesh may lie: all of Japan at 50 m fits in
// about 52,000 by 63,000; a mesh whose corners say otherwise is a bad file.
constexpr double kMaxOffsetCells = 65536;

struct Tile {
  MeshDocument Document;
  MeshGeoreference Frame;
  int Column = 0;  // of its north-west cell in the mosaic
  int Row = 0;
};

struct Reading {
  std::optional<Tile> Mesh;
  ErrorCode Error = ErrorCode::FileError;
};

std::vector<Reading> ReadAll(const std::vector<std::filesystem::path>& paths, const ProgressReport& progress) {
  std::vector<Reading> readings(paths.size());
  ForEachInParallel(
      paths.size(),
      [&](std::size_t i) {
        MeshReadResult result = ReadMeshFile(paths[i]);
        if (result.document) {
          const MeshGeoreference frame = MeshGeoreference::Of(*result.document);
          readings[i].Mesh = Tile{std::move(*result.document), frame, 0, 0};
        }
        if (result.error) readings[i].Error = *result.error;
      },
      progress);
  return readings;
}

bool IsWhole(double cells) { return std::abs(cells - std::round(cells)) <= kCellTolerance; }

// Sets the tile's place on the reference grid, or says why it has none.
std::optional<ErrorCode> Place(const MeshGeoreference& reference, Tile& tile) {
  const MeshGeoreference& frame = tile.Frame;
  if (!(frame.LongitudeStep > 0 && frame.LatitudeStep > 0)) return ErrorCode::MeshOffGrid;
  if (std::abs(frame.LongitudeStep - reference.LongitudeStep) > kStepTolerance ||
      std::abs(frame.LatitudeStep - reference.LatitudeStep) > kStepTolerance) {
    return ErrorCode::MeshStepsDiffer;
  }
  const double column = (frame.WestLongitude - reference.WestLongitude) / reference.LongitudeStep;
  const double row = (reference.NorthLatitude - frame.NorthLatitude) / reference.LatitudeStep;
  if (!IsWhole(column) || !IsWhole(row)) return ErrorCode::MeshOffGrid;
  if (std::abs(column) > kMaxOffsetCells || std::abs(row) > kMaxOffsetCells) return ErrorCode::MeshTooFar;
  tile.Column = static_cast<int>(std::lround(column));
  tile.Row = static_cast<int>(std::lround(row));
  return std::nullopt;
}

// Places every tile that fits on the grid of the first, leaving the others
// out, and moves them all so that the mosaic starts at cell 0, 0.
std::vector<Tile> PlaceAll(const std::vector<std::filesystem::path>& paths, std::vector<Reading>& readings,
                           std::vector<SkippedInput>& left_out) {
  std::vector<Tile> placed;
  for (std::size_t i = 0; i < readings.size(); ++i) {
    std::optional<ErrorCode> refused = readings[i].Mesh ? std::nullopt : std::optional(readings[i].Error);
    if (!refused) refused = Place(placed.empty() ? readings[i].Mesh->Frame : placed.front().Frame, *readings[i].Mesh);
    if (refused) {
      left_out.push_back({paths[i], *refused});
    } else {
      placed.push_back(std::move(*readings[i].Mesh));
    }
  }
  return placed;
}

// Later meshes win where they have data, and leave earlier data alone
// where they have none.
void FillRow(const std::vector<Tile>& tiles, int row, std::span<std::int32_t> tenths) {
  std::fill(tenths.begin(), tenths.end(), kNoData);
  for (const Tile& tile : tiles) {
    if (row < tile.Row || row >= tile.Row + kMeshSize) continue;
    const int y = row - tile.Row + 1;
    for (int x = 1; x <= kMeshSize; ++x) {
      const std::int32_t later = tile.Document.Elevation(x, y);
      std::int32_t& target = tenths[static_cast<std::size_t>(tile.Column + x - 1)];
      target = later == kNoData ? target : later;
    }
  }
}

// The frame around all tiles, which move so that it starts at cell 0, 0.
ExportRaster RasterOf(std::vector<Tile>& tiles) {
  int west = INT_MAX, north = INT_MAX, east = INT_MIN, south = INT_MIN;
  for (const Tile& tile : tiles) {
    west = std::min(west, tile.Column), north = std::min(north, tile.Row);
    east = std::max(east, tile.Column + kMeshSize), south = std::max(south, tile.Row + kMeshSize);
  }
  for (Tile& tile : tiles) tile.Column -= west, tile.Row -= north;
  const Tile& first = tiles.front();
  MeshGeoreference frame = first.Frame;
  frame.WestLongitude -= first.Column * frame.LongitudeStep;
  frame.NorthLatitude += first.Row * frame.LatitudeStep;
  frame.SouthLatitude = frame.NorthLatitude - (south - north) * frame.LatitudeStep;
  return {east - west, south - north, frame,
          [&tiles](int row, std::span<std::int32_t> tenths) { FillRow(tiles, row, tenths); }};
}

}  // namespace

MosaicResult WriteMosaic(const std::vector<std::filesystem::path>& meshes, const std::filesystem::path& output,
                         const ProgressReport& progress) {
  MosaicResult result;
  const std::optional<ExportFormat> format = ExportFormatOf(output);
  if (!format) {
    result.Error = ErrorCode::UnsupportedExportFormat;
    return result;
  }
  std::jthread loading = LoadWriterLibraries(*format);
  std::vector<Reading> readings = ReadAll(meshes, progress);
  std::vector<Tile> tiles = PlaceAll(meshes, readings, result.LeftOut);
  readings.clear();
  if (tiles.empty()) {
    result.Error = ErrorCode::NoMeshToPlace;
    return result;
  }
  DeferredFlush flush;
  result.Error = WriteRaster(RasterOf(tiles), output, *format, &flush);
  if (!result.Error) result.Error = flush.Flush();
  if (!result.Error) result.Placed = tiles.size();
  return result;
}

}  // namespace koravel
