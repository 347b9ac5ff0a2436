#pragma once

#include <functional>
#include <vector>

#include "core/export/tile_encoder.h"
#include "core/export/tile_store.h"

namespace koravel {

/// The no-data value of the Float32 tiles, in metres.
inline constexpr float kTileNoData = -9999.0f;

/// Builds every level of a tiled image from its full-resolution tiles, a
/// row of tiles at a time, into a TileStore: each tile is compressed, and
/// averaged two by two into the next level, whose row of tiles is compressed
/// in turn once both rows above it are in. A cell of a reduced level is the
/// mean of the cells with data among the four beneath it (as GDAL's average
/// overviews, each level from the one before), no-data where none has data.
/// Tiles without data are never stored. Memory holds one row of tiles of
/// each reduced level, and of those only the tiles that have data.
class TilePyramid {
 public:
  /// Fills `cells` (kTileSize × kTileSize, row by row, kTileNoData outside
  /// the image) with the tile in column `column` of the row being added.
  /// Called from several threads at once.
  using TileFill = std::function<void(int column, std::vector<float>& cells)>;

  TilePyramid(const TiffLibrary& tiff, TileCompression compression, TileStore& store);

  /// Adds the tiles in `columns` of full-resolution tile row `row`, filled
  /// by `fill`, compressing them over all cores; false on a failure.
  bool AddTiles(int row, const std::vector<int>& columns, const TileFill& fill) {
    return AddTiles(0, row, columns, fill);
  }
  /// Says that full-resolution tile row `row` is complete, which completes
  /// the rows of the reduced levels that wait for it; false on a failure.
  bool EndRow(int row) { return EndRow(0, row); }

 private:
  struct Result {
    bool Failed = false;
    std::string Bytes;           // empty for a tile without data
    std::vector<float> Quarter;  // the tile averaged, kTileSize / 2 on a side; empty without data
  };

  bool AddTiles(int level, int row, const std::vector<int>& columns, const TileFill& fill);
  bool EndRow(int level, int row);
  Result Process(int level, int row, int column, std::vector<float>& cells) const;
  void PlaceQuarter(int level, int row, int column, std::vector<float> quarter);

  const TiffLibrary& tiff_;
  TileCompression compression_;
  TileStore& store_;
  // For each reduced level, its row of tiles being gathered: empty where no
  // data has come yet.
  std::vector<std::vector<std::vector<float>>> bands_;
};

}  // namespace koravel
