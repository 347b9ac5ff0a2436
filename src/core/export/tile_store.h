#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/export/tile_encoder.h"
#include "core/io/scratch_file.h"

namespace koravel {

/// The size of one level of a tiled image, in cells.
struct LevelSize {
  int Columns = 0;
  int Rows = 0;

  int TileColumns() const { return (Columns + kTileSize - 1) / kTileSize; }
  int TileRows() const { return (Rows + kTileSize - 1) / kTileSize; }
};

/// The full resolution `columns` × `rows`, then each level half the one
/// before (rounded up), down to the first that fits in one tile.
std::vector<LevelSize> PyramidLevels(int columns, int rows);

/// The compressed tiles of every level of a tiled image, kept in a scratch
/// file until their place in the file being written is known. A tile never
/// put holds no data.
class TileStore {
 public:
  TileStore(ScratchFile scratch, std::vector<LevelSize> levels);

  const std::vector<LevelSize>& Levels() const { return levels_; }
  /// Keeps `bytes` as tile `index` (row by row) of `level`; false on failure.
  bool Put(int level, int index, std::string_view bytes);
  /// The bytes of tile `index` of `level`: empty for a tile never put,
  /// nullopt where they cannot be read back.
  std::optional<std::string> Get(int level, int index) const;
  /// The bytes of all tiles put.
  std::uint64_t Bytes() const { return bytes_; }

 private:
  struct Slot {
    std::uint64_t Offset = 0;
    std::uint32_t Size = 0;
  };

  ScratchFile scratch_;
  std::vector<LevelSize> levels_;
  std::vector<std::vector<Slot>> slots_;
  std::uint64_t bytes_ = 0;
};

}  // namespace koravel
