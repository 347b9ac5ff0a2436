// Feeds arbitrary bytes to the reader of the newer elevation model, handed
// over in pieces whose size the first byte chooses, so that the tuple list's
// own reading meets every place a piece can end. A read gives a tile or an
// error, never both, and a tile's grid has a height for every point.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/dem/fgd_dem_reader.h"

namespace {

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t piece = std::size_t{data[0]} + 1;
  std::size_t at = 1;
  const koravel::DemReadResult result = koravel::ReadFgdDem(
      [&](char* buffer, std::size_t room) {
        const std::size_t count = std::min({room, piece, size - at});
        std::memcpy(buffer, data + at, count);
        at += count;
        return static_cast<std::ptrdiff_t>(count);
      },
      "FG-GML-5238-74-00-DEM5A-20161001.xml", {});
  Require(result.Tile.has_value() != result.Error.has_value());
  if (result.Tile) {
    const koravel::DemTile& tile = *result.Tile;
    Require(tile.Columns > 0 && tile.Rows > 0);
    Require(tile.Heights.size() == static_cast<std::size_t>(tile.Columns) * static_cast<std::size_t>(tile.Rows));
  }
  return 0;
}
