#include "core/export/tile_encoder.h"

#include <algorithm>
#include <cstring>

#include "core/export/geotiff_tags.h"

namespace koravel {
namespace {

// Room for the header and for a tile that does not compress.
constexpr std::size_t kTiffOverhead = 4096;

}  // namespace

std::uint16_t TiffCompressionCode(TileCompression compression) {
  return compression == TileCompression::Zstd ? COMPRESSION_ZSTD : COMPRESSION_ADOBE_DEFLATE;
}

tmsize_t TileEncoder::Read(thandle_t file, void* into, tmsize_t size) {
  MemoryFile& memory = *static_cast<MemoryFile*>(file);
  const auto count = static_cast<std::size_t>(std::max<tmsize_t>(
      0, std::min<tmsize_t>(size, static_cast<tmsize_t>(memory.bytes.size()) - static_cast<tmsize_t>(memory.at))));
  std::memcpy(into, memory.bytes.data() + memory.at, count);
  memory.at += count;
  return static_cast<tmsize_t>(count);
}

tmsize_t TileEncoder::Write(thandle_t file, void* from, tmsize_t size) {
  MemoryFile& memory = *static_cast<MemoryFile*>(file);
  const auto count = static_cast<std::size_t>(size);
  if (memory.bytes.size() < memory.at + count) memory.bytes.resize(memory.at + count);
  std::memcpy(memory.bytes.data() + memory.at, from, count);
  memory.at += count;
  return size;
}

toff_t TileEncoder::Seek(thandle_t file, toff_t offset, int whence) {
  MemoryFile& memory = *static_cast<MemoryFile*>(file);
  if (whence == SEEK_CUR) offset += memory.at;
  if (whence == SEEK_END) offset += memory.bytes.size();
  memory.at = offset;
  return offset;
}

int TileEncoder::Close(thandle_t) { return 0; }
toff_t TileEncoder::Size(thandle_t file) { return static_cast<MemoryFile*>(file)->bytes.size(); }
int TileEncoder::Map(thandle_t, void**, toff_t*) { return 0; }
void TileEncoder::Unmap(thandle_t, void*, toff_t) {}

bool TileEncoder::SetTags(TIFF* file) const {
  return SetFloatBandTags(tiff_, file, kTileSize, kTileSize) &&
         tiff_.SetField(file, TIFFTAG_TILEWIDTH, static_cast<std::uint32_t>(kTileSize)) &&
         tiff_.SetField(file, TIFFTAG_TILELENGTH, static_cast<std::uint32_t>(kTileSize)) &&
         tiff_.SetField(file, TIFFTAG_COMPRESSION, TiffCompressionCode(compression_)) &&
         tiff_.SetField(file, TIFFTAG_PREDICTOR, PREDICTOR_FLOATINGPOINT);
}

// The tile is the only one its TIFF ever gets; the TIFF is let go without
// its directory, which nothing reads.
std::optional<std::string> TileEncoder::Encode(std::span<const float> cells) {
  memory_.bytes.clear();
  memory_.bytes.reserve(cells.size_bytes() + kTiffOverhead);
  memory_.at = 0;
  TIFF* file = tiff_.ClientOpen("tile", "wm", &memory_, Read, Write, Seek, Close, Size, Map, Unmap);
  if (file == nullptr) return std::nullopt;
  const auto bytes = static_cast<tmsize_t>(cells.size_bytes());
  std::optional<std::string> encoded;
  if (SetTags(file) && tiff_.WriteEncodedTile(file, 0, const_cast<float*>(cells.data()), bytes) == bytes) {
    const std::uint64_t offset = tiff_.StrileOffset(file, 0);
    const std::uint64_t size = tiff_.StrileByteCount(file, 0);
    if (size > 0 && offset + size <= memory_.bytes.size()) encoded = memory_.bytes.substr(offset, size);
  }
  tiff_.Cleanup(file);
  return encoded;
}

}  // namespace koravel
