#include "core/export/cog_writer.h"

#include <unistd.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "core/export/geotiff_tags.h"
#include "core/export/tile_pyramid.h"
#include "core/export/tile_store.h"

namespace koravel {
namespace {

constexpr double kClassicTiffLimit = 3.9e9;  // bytes of tiles, with room for the directories
constexpr int kClassicHeaderBytes = 8;
constexpr int kBigTiffHeaderBytes = 16;

// GDAL's note of how the file is laid out, which its readers and its
// validator look for right after the header; the blank makes the first
// directory start on an even offset.
constexpr std::string_view kLayoutNote =
    "LAYOUT=IFDS_BEFORE_DATA\nBLOCK_ORDER=ROW_MAJOR\nKNOWN_INCOMPATIBLE_EDITION=NO\n ";

std::string GhostArea() {
  char size[64];
  std::snprintf(size, sizeof size, "GDAL_STRUCTURAL_METADATA_SIZE=%06zu bytes\n", kLayoutNote.size());
  return std::string(size) + std::string(kLayoutNote);
}

// Tiles filled together, their grids read together: enough to keep every
// core busy.
std::size_t TilesPerRound() { return 2 * std::max(1u, std::thread::hardware_concurrency()); }

// Edge tiles are filled narrower and then laid out at the tile's width.
void FillTile(const TiledRaster& raster, const CellArea& area, std::vector<float>& cells) {
  cells.assign(static_cast<std::size_t>(kTileSize) * kTileSize, kTileNoData);
  if (area.Columns == kTileSize) return raster.Fill(area, std::span(cells.data(), area.CellCount()));
  std::vector<float> filled(area.CellCount());
  raster.Fill(area, filled);
  for (int row = 0; row < area.Rows; ++row) {
    std::copy_n(filled.begin() + static_cast<std::ptrdiff_t>(row) * area.Columns, area.Columns,
                cells.begin() + static_cast<std::ptrdiff_t>(row) * kTileSize);
  }
}

bool BuildTiles(const TiledRaster& raster, TilePyramid& pyramid, const LevelSize& full) {
  const int round = static_cast<int>(TilesPerRound());
  for (int row = 0; row < full.TileRows(); ++row) {
    for (int first = 0; first < full.TileColumns(); first += round) {
      const int last = std::min(full.TileColumns(), first + round);
      const CellArea parts = {first * kTileSize, row * kTileSize,
                              std::min(last * kTileSize, full.Columns) - first * kTileSize,
                              std::min(kTileSize, full.Rows - row * kTileSize)};
      std::vector<int> columns;
      for (int column = first; column < last; ++column) columns.push_back(column);
      raster.Prepare(parts);
      const bool added = pyramid.AddTiles(row, columns, [&](int column, std::vector<float>& cells) {
        const CellArea tile = {column * kTileSize, parts.Row,
                               std::min(kTileSize, full.Columns - column * kTileSize), parts.Rows};
        FillTile(raster, tile, cells);
      });
      raster.Release(parts);
      if (!added) return false;
    }
    if (!pyramid.EndRow(row)) return false;
  }
  return true;
}

bool SetLevelTags(const TiffLibrary& tiff, TIFF* file, const TiledRaster& raster, const LevelSize& size, int level,
                  TileCompression compression) {
  return (level == 0 || tiff.SetField(file, TIFFTAG_SUBFILETYPE, FILETYPE_REDUCEDIMAGE)) &&
         SetFloatBandTags(tiff, file, size.Columns, size.Rows) &&
         tiff.SetField(file, TIFFTAG_TILEWIDTH, static_cast<std::uint32_t>(kTileSize)) &&
         tiff.SetField(file, TIFFTAG_TILELENGTH, static_cast<std::uint32_t>(kTileSize)) &&
         tiff.SetField(file, TIFFTAG_COMPRESSION, TiffCompressionCode(compression)) &&
         tiff.SetField(file, TIFFTAG_PREDICTOR, PREDICTOR_FLOATINGPOINT) &&
         (level != 0 || SetGeoTiffTags(tiff, file, raster.Frame, raster.Epsg));
}

// Every directory first, with its tile arrays written after them all (at
// first empty, to be filled in place as the tiles go in).
bool WriteDirectories(const TiffLibrary& tiff, TIFF* file, const TiledRaster& raster, const TileStore& store,
                      TileCompression compression) {
  const std::vector<LevelSize>& levels = store.Levels();
  for (std::size_t level = 0; level < levels.size(); ++level) {
    if (!SetLevelTags(tiff, file, raster, levels[level], static_cast<int>(level), compression) ||
        tiff.DeferStrileArrayWriting(file) != 1 || tiff.WriteCheck(file, 1, "cog") != 1 ||
        tiff.WriteDirectory(file) != 1) {
      return false;
    }
  }
  for (std::size_t level = 0; level < levels.size(); ++level) {
    if (tiff.SetDirectory(file, static_cast<tdir_t>(level)) != 1 || tiff.ForceStrileArrayWriting(file) != 1) {
      return false;
    }
  }
  return true;
}

// The smallest level first, each row by row.
bool WriteTiles(const TiffLibrary& tiff, TIFF* file, const TileStore& store) {
  for (int level = static_cast<int>(store.Levels().size()) - 1; level >= 0; --level) {
    if (tiff.SetDirectory(file, static_cast<tdir_t>(level)) != 1) return false;
    const LevelSize& size = store.Levels()[static_cast<std::size_t>(level)];
    for (int index = 0; index < size.TileColumns() * size.TileRows(); ++index) {
      std::optional<std::string> bytes = store.Get(level, index);
      if (!bytes) return false;
      if (bytes->empty()) continue;
      const auto length = static_cast<tmsize_t>(bytes->size());
      if (tiff.WriteRawTile(file, static_cast<std::uint32_t>(index), bytes->data(), length) != length) return false;
    }
    if (tiff.Flush(file) != 1) return false;
  }
  return true;
}

bool WriteLayout(const TiffLibrary& tiff, int descriptor, const TiledRaster& raster, const TileStore& store,
                 TileCompression compression) {
  // libtiff closes the descriptor it is given; the caller keeps its own.
  const int own = dup(descriptor);
  if (own < 0) return false;
  const bool big = double(store.Bytes()) > kClassicTiffLimit;
  TIFF* file = tiff.FdOpen(own, "cog.tif", big ? "w8" : "w");
  if (file == nullptr) {
    close(own);
    return false;
  }
  const std::string ghost = GhostArea();
  const bool written =
      pwrite(descriptor, ghost.data(), ghost.size(), big ? kBigTiffHeaderBytes : kClassicHeaderBytes) ==
          static_cast<ssize_t>(ghost.size()) &&
      WriteDirectories(tiff, file, raster, store, compression) && WriteTiles(tiff, file, store);
  tiff.Close(file);
  return written;
}

}  // namespace

std::optional<ErrorCode> WriteCloudOptimizedGeoTiff(int descriptor, const TiledRaster& raster,
                                                    TileCompression compression,
                                                    const std::filesystem::path& scratch_folder) {
  const TiffLibrary* tiff = TiffLibrary::Get();
  if (tiff == nullptr) return ErrorCode::TiffLibraryMissing;
  if (tiff->IsCodecConfigured(TiffCompressionCode(compression)) != 1) return ErrorCode::CompressionUnavailable;
  std::optional<ScratchFile> scratch = ScratchFile::Create(scratch_folder);
  if (!scratch) return ErrorCode::FileError;
  TileStore store(std::move(*scratch), PyramidLevels(raster.Columns, raster.Rows));
  TilePyramid pyramid(*tiff, compression, store);
  if (!BuildTiles(raster, pyramid, store.Levels().front())) return ErrorCode::FileError;
  if (!WriteLayout(*tiff, descriptor, raster, store, compression)) return ErrorCode::FileError;
  return std::nullopt;
}

}  // namespace koravel
