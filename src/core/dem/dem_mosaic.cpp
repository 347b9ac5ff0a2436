#include "core/dem/dem_mosaic.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "core/dem/dem_sources.h"

namespace koravel {
namespace {

// Steps within this share of each other are one kind: the envelopes' nine
// decimals of a degree leave far less than that.
constexpr double kSameStep = 1e-4;
// The envelopes' rounding moves a tile by far less than this share of a cell.
constexpr double kCellTolerance = 0.01;
// A step taken to this many arc-seconds is the survey's own, 0.2" or 0.4",
// and an edge its own too, where the file gives nine decimals of a degree.
constexpr double kStepsPerSecond = 1e6;
constexpr double kEdgesPerSecond = 1e4;
constexpr double kFarthestCell = INT_MAX / 2;

bool SameStep(double a, double b) { return std::abs(a - b) <= kSameStep * std::abs(a); }

std::vector<DemKind> KindsOf(const std::vector<DemMosaic::NamedTile>& tiles) {
  std::vector<DemKind> kinds;
  for (const DemMosaic::NamedTile& named : tiles) {
    const DemTile& tile = named.Tile;
    auto kind = std::find_if(kinds.begin(), kinds.end(), [&tile](const DemKind& k) {
      return SameStep(k.LatitudeStep, tile.LatitudeStep()) && SameStep(k.LongitudeStep, tile.LongitudeStep()) &&
             k.Datum == tile.Datum;
    });
    if (kind == kinds.end()) {
      kind = kinds.insert(kinds.end(), {tile.LatitudeStep(), tile.LongitudeStep(), tile.Datum, tile.DataType, {}});
    }
    kind->Files.push_back(named.Name);
  }
  return kinds;
}

double Quantised(double seconds, double per_second) { return std::round(seconds * per_second) / per_second; }

// The whole number of cells `offset` comes to, if it comes to one.
std::optional<int> WholeCells(double offset) {
  const double cells = std::round(offset);
  if (!(std::abs(offset - cells) <= kCellTolerance && std::abs(cells) <= kFarthestCell)) return std::nullopt;
  return static_cast<int>(cells);
}

}  // namespace

DemMosaic::DemMosaic(std::vector<NamedTile> tiles, std::vector<SkippedInput>& left_out)
    : datum_(tiles.front().Tile.Datum) {
  const DemTile& first = tiles.front().Tile;
  frame_.LatitudeStep = Quantised(first.LatitudeStep(), kStepsPerSecond);
  frame_.LongitudeStep = Quantised(first.LongitudeStep(), kStepsPerSecond);
  const double first_west = Quantised(first.WestLongitude, kEdgesPerSecond);
  const double first_north = Quantised(first.NorthLatitude, kEdgesPerSecond);
  int west = INT_MAX, north = INT_MAX, east = INT_MIN, south = INT_MIN;
  for (auto& [name, tile] : tiles) {
    const std::optional<int> column = WholeCells((tile.WestLongitude - first_west) / frame_.LongitudeStep);
    const std::optional<int> row = WholeCells((first_north - tile.NorthLatitude) / frame_.LatitudeStep);
    if (!column || !row) {
      left_out.push_back({name, ErrorCode::DemOffGrid});
      continue;
    }
    west = std::min(west, *column), north = std::min(north, *row);
    east = std::max(east, *column + tile.Columns), south = std::max(south, *row + tile.Rows);
    if (std::find(data_types_.begin(), data_types_.end(), tile.DataType) == data_types_.end()) {
      data_types_.push_back(tile.DataType);
    }
    tiles_.push_back({*column, *row, std::move(tile)});
  }
  for (PlacedTile& placed : tiles_) placed.Column -= west, placed.Row -= north;
  columns_ = east - west;
  rows_ = south - north;
  frame_.WestLongitude = first_west + west * frame_.LongitudeStep;
  frame_.NorthLatitude = first_north - north * frame_.LatitudeStep;
  frame_.SouthLatitude = frame_.NorthLatitude - rows_ * frame_.LatitudeStep;
}

void DemMosaic::FillRow(int row, int first_column, std::span<float> metres) const {
  std::fill(metres.begin(), metres.end(), kDemNoData);
  const int end_column = first_column + static_cast<int>(metres.size());
  for (const PlacedTile& placed : tiles_) {
    const DemTile& tile = placed.Tile;
    if (row < placed.Row || row >= placed.Row + tile.Rows) continue;
    const int from = std::max(first_column, placed.Column);
    const int to = std::min(end_column, placed.Column + tile.Columns);
    const float* heights = tile.Heights.data() + static_cast<std::ptrdiff_t>(row - placed.Row) * tile.Columns;
    for (int column = from; column < to; ++column) {
      const float height = heights[column - placed.Column];
      if (height != kDemNoData) metres[static_cast<std::size_t>(column - first_column)] = height;
    }
  }
}

DemMosaicResult ReadDemMosaic(const std::vector<std::filesystem::path>& inputs, const DemReadOptions& options,
                              const ProgressReport& progress) {
  DemMosaicResult result;
  DemInputReport& report = result.Report;
  std::vector<DemMosaic::NamedTile> tiles;
  const auto read_batch = [&](const std::vector<DemSource>& batch) {
    std::vector<DemReadResult> read(batch.size());
    const std::size_t before = report.Found;
    report.Found += batch.size();
    ForEachInParallel(
        batch.size(), [&](std::size_t i) { read[i] = batch[i].Read(options); },
        [&](std::size_t done, std::size_t) {
          if (progress) progress(before + done, report.Found);
        });
    for (std::size_t i = 0; i < batch.size(); ++i) {
      if (read[i].Tile) tiles.push_back({batch[i].Name, std::move(*read[i].Tile)});
      if (read[i].Error) report.LeftOut.push_back({batch[i].Name, *read[i].Error});
    }
  };
  VisitDemSources(inputs, read_batch, report.LeftOut);
  if (tiles.empty()) {
    report.Error = ErrorCode::NoDemToPlace;
  } else if (std::vector<DemKind> kinds = KindsOf(tiles); kinds.size() > 1) {
    report.Kinds = std::move(kinds);
    report.Error = ErrorCode::DemKindsMixed;
  } else {
    result.Mosaic.emplace(std::move(tiles), report.LeftOut);
    report.Placed = result.Mosaic->TileCount();
  }
  return result;
}

}  // namespace koravel
