#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>

#include "core/dem/dem_tile.h"
#include "core/error_code.h"

namespace koravel {

/// An area on the earth: its edges in arc-seconds.
struct GeographicBox {
  double South = 0, West = 0, North = 0, East = 0;
};

struct DemReadOptions {
  bool SeaAsZero = false;  ///< 海水面 at 0 m instead of no data
  /// When set, a tile whose envelope misses this area (on the tile's own
  /// datum) is passed over without reading its heights.
  std::optional<GeographicBox> Within;
};

/// A tile, or why there is none; neither when the tile lies outside the
/// area that was asked for.
struct DemReadResult {
  std::optional<DemTile> Tile;
  std::optional<ErrorCode> Error;
};

/// Puts up to `size` bytes into `buffer`; returns how many, 0 at the end of
/// the input, or -1 when reading fails.
using ByteReader = std::function<std::ptrdiff_t(char* buffer, std::size_t size)>;

/// Reads one FG-GML file of the newer elevation model (基盤地図情報 数値標高
/// モデル, JPGIS) as it streams in through `read`, holding no more than the
/// tile's own grid. `name` is the file's name, which carries the data type.
///
/// The envelope (latitude first), the grid size (gml:high + 1), the tuple
/// list ("type,value" per line), gml:sequenceRule (only "+x-y") and
/// gml:startPoint place the heights; points before the start and after an
/// early end of the list have no data, as have -9999 and データなし; 海水面
/// is sea. Reference systems fguuid:jgd2000.bl, jgd2011.bl and jgd2024.bl
/// (whose horizontal positions are JGD2011's).
DemReadResult ReadFgdDem(const ByteReader& read, std::string_view name, const DemReadOptions& options);

}  // namespace koravel
