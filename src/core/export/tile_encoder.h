#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "core/export/tiff_library.h"

namespace koravel {

/// Cells on a side of a tile of a cloud-optimised GeoTIFF.
inline constexpr int kTileSize = 512;

/// How a tiled GeoTIFF's tiles are compressed, both after the floating-point
/// predictor (PREDICTOR=3).
enum class TileCompression {
  Deflate,
  Zstd,  ///< where the installed libtiff has it
};

/// libtiff's code for `compression`.
std::uint16_t TiffCompressionCode(TileCompression compression);

/// Compresses single tiles of Float32 cells as libtiff writes them into a
/// tiled TIFF, each in a TIFF of its own in memory, so that tiles can be
/// compressed on several threads at once and then copied as they are into
/// the file being written. One encoder serves one thread.
class TileEncoder {
 public:
  TileEncoder(const TiffLibrary& tiff, TileCompression compression) : tiff_(tiff), compression_(compression) {}

  /// The compressed bytes of `cells`, kTileSize × kTileSize row by row;
  /// nullopt where libtiff fails.
  std::optional<std::string> Encode(std::span<const float> cells);

 private:
  struct MemoryFile {
    std::string bytes;
    std::uint64_t at = 0;
  };

  static tmsize_t Read(thandle_t file, void* into, tmsize_t size);
  static tmsize_t Write(thandle_t file, void* from, tmsize_t size);
  static toff_t Seek(thandle_t file, toff_t offset, int whence);
  static int Close(thandle_t file);
  static toff_t Size(thandle_t file);
  static int Map(thandle_t file, void** base, toff_t* size);
  static void Unmap(thandle_t file, void* base, toff_t size);

  bool SetTags(TIFF* file) const;

  const TiffLibrary& tiff_;
  TileCompression compression_;
  MemoryFile memory_;
};

}  // namespace koravel
