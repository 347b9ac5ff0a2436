#include "core/export/tile_store.h"

namespace koravel {

std::vector<LevelSize> PyramidLevels(int columns, int rows) {
  std::vector<LevelSize> levels = {{columns, rows}};
  while (levels.back().Columns > kTileSize || levels.back().Rows > kTileSize) {
    levels.push_back({(levels.back().Columns + 1) / 2, (levels.back().Rows + 1) / 2});
  }
  return levels;
}

TileStore::TileStore(ScratchFile scratch, std::vector<LevelSize> levels)
    : scratch_(std::move(scratch)), levels_(std::move(levels)) {
  for (const LevelSize& level : levels_) {
    slots_.emplace_back(static_cast<std::size_t>(level.TileColumns()) * static_cast<std::size_t>(level.TileRows()));
  }
}

bool TileStore::Put(int level, int index, std::string_view bytes) {
  const std::optional<std::uint64_t> offset = scratch_.Append(bytes);
  if (!offset) return false;
  slots_[static_cast<std::size_t>(level)][static_cast<std::size_t>(index)] = {*offset,
                                                                              static_cast<std::uint32_t>(bytes.size())};
  bytes_ += bytes.size();
  return true;
}

std::optional<std::string> TileStore::Get(int level, int index) const {
  const Slot& slot = slots_[static_cast<std::size_t>(level)][static_cast<std::size_t>(index)];
  std::string bytes(slot.Size, '\0');
  if (!scratch_.Read(slot.Offset, bytes)) return std::nullopt;
  return bytes;
}

}  // namespace koravel
