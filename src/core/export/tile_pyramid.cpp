#include "core/export/tile_pyramid.h"

#include <algorithm>

#include "core/export/parallel_for_each.h"

namespace koravel {
namespace {

constexpr int kHalf = kTileSize / 2;
constexpr auto kTileCells = static_cast<std::size_t>(kTileSize) * kTileSize;

bool HasData(const std::vector<float>& cells) {
  return std::any_of(cells.begin(), cells.end(), [](float cell) { return cell != kTileNoData; });
}

// The mean of the cells with data among each two by two of the `columns` ×
// `rows` cells of `cells`; cells past the edge count as no data.
std::vector<float> Quarter(const std::vector<float>& cells, int columns, int rows) {
  std::vector<float> quarter(kTileCells / 4, kTileNoData);
  for (int y = 0; y < (rows + 1) / 2; ++y) {
    for (int x = 0; x < (columns + 1) / 2; ++x) {
      double sum = 0;
      int count = 0;
      for (int sy = 2 * y; sy < std::min(2 * y + 2, rows); ++sy) {
        for (int sx = 2 * x; sx < std::min(2 * x + 2, columns); ++sx) {
          const float cell = cells[static_cast<std::size_t>(sy) * kTileSize + static_cast<std::size_t>(sx)];
          if (cell != kTileNoData) sum += cell, ++count;
        }
      }
      if (count > 0) quarter[static_cast<std::size_t>(y) * kHalf + static_cast<std::size_t>(x)] = float(sum / count);
    }
  }
  return quarter;
}

}  // namespace

TilePyramid::TilePyramid(const TiffLibrary& tiff, TileCompression compression, TileStore& store)
    : tiff_(tiff), compression_(compression), store_(store), bands_(store.Levels().size()) {
  for (std::size_t level = 1; level < bands_.size(); ++level) {
    bands_[level].resize(static_cast<std::size_t>(store.Levels()[level].TileColumns()));
  }
}

TilePyramid::Result TilePyramid::Process(int level, int row, int column, std::vector<float>& cells) const {
  Result result;
  if (!HasData(cells)) return result;
  const std::optional<std::string> bytes = TileEncoder(tiff_, compression_).Encode(cells);
  result.Failed = !bytes;
  if (bytes) result.Bytes = *bytes;
  const LevelSize& size = store_.Levels()[static_cast<std::size_t>(level)];
  if (static_cast<std::size_t>(level) + 1 < store_.Levels().size()) {
    result.Quarter = Quarter(cells, std::min(kTileSize, size.Columns - column * kTileSize),
                             std::min(kTileSize, size.Rows - row * kTileSize));
  }
  return result;
}

bool TilePyramid::AddTiles(int level, int row, const std::vector<int>& columns, const TileFill& fill) {
  std::vector<Result> results(columns.size());
  ForEachInParallel(columns.size(), [&](std::size_t i) {
    std::vector<float> cells;
    fill(columns[i], cells);
    results[i] = Process(level, row, columns[i], cells);
  });
  const int tile_columns = store_.Levels()[static_cast<std::size_t>(level)].TileColumns();
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (results[i].Failed) return false;
    if (!results[i].Bytes.empty() && !store_.Put(level, row * tile_columns + columns[i], results[i].Bytes)) {
      return false;
    }
    if (!results[i].Quarter.empty()) PlaceQuarter(level + 1, row, columns[i], std::move(results[i].Quarter));
  }
  return true;
}

// A tile of `level` above gathers the quarters of four tiles of the level
// before it: `row` and `column` are those of the tile the quarter is of.
void TilePyramid::PlaceQuarter(int level, int row, int column, std::vector<float> quarter) {
  std::vector<float>& tile = bands_[static_cast<std::size_t>(level)][static_cast<std::size_t>(column / 2)];
  if (tile.empty()) tile.assign(kTileCells, kTileNoData);
  const std::size_t x = static_cast<std::size_t>(column % 2) * kHalf, y = static_cast<std::size_t>(row % 2) * kHalf;
  for (std::size_t line = 0; line < kHalf; ++line) {
    std::copy_n(quarter.begin() + static_cast<std::ptrdiff_t>(line * kHalf), kHalf,
                tile.begin() + static_cast<std::ptrdiff_t>((y + line) * kTileSize + x));
  }
}

bool TilePyramid::EndRow(int level, int row) {
  const std::size_t next = static_cast<std::size_t>(level) + 1;
  const bool last_row = row + 1 == store_.Levels()[static_cast<std::size_t>(level)].TileRows();
  if (next == bands_.size() || (row % 2 == 0 && !last_row)) return true;
  std::vector<std::vector<float>>& band = bands_[next];
  std::vector<int> columns;
  for (std::size_t column = 0; column < band.size(); ++column) {
    if (!band[column].empty()) columns.push_back(static_cast<int>(column));
  }
  const bool added = AddTiles(static_cast<int>(next), row / 2, columns, [&band](int column, std::vector<float>& cells) {
    cells = std::move(band[static_cast<std::size_t>(column)]);
  });
  for (std::vector<float>& tile : band) std::vector<float>().swap(tile);
  return added && EndRow(static_cast<int>(next), row / 2);
}

}  // namespace koravel
