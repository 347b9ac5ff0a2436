#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <span>

#include "core/error_code.h"
#include "core/export/cell_area.h"
#include "core/export/tile_encoder.h"
#include "core/geo/mesh_georeference.h"

namespace koravel {

/// A raster that a tiled writer takes a part at a time: before it fills
/// cells within some parts it prepares them (the grids they need are
/// read), and afterwards releases them, each part once.
struct TiledRaster {
  int Columns = 0;
  int Rows = 0;
  /// South, west and north edges and the cell size, in arc-seconds.
  MeshGeoreference Frame;
  /// The EPSG code of the geographic system of the frame.
  int Epsg = 4301;
  /// Readies the parts of kTileSize × kTileSize cells within `parts`.
  std::function<void(const CellArea& parts)> Prepare;
  /// Fills `metres` (area.Columns × area.Rows, row by row; -9999 for no
  /// data) with the cells of `area`, within prepared parts. Called from
  /// several threads at once.
  std::function<void(const CellArea& area, std::span<float> metres)> Fill;
  /// Says that the parts within `parts` are written.
  std::function<void(const CellArea& parts)> Release;
};

/// Writes `raster` to `descriptor` as a cloud-optimised GeoTIFF, laid out as
/// GDAL's COG driver lays one out and its validator accepts: Float32 metres
/// in tiles of 512 × 512, compressed as `compression` says after the
/// floating-point predictor; -9999 declared as no-data; overviews each half
/// the size of the one before (rounded up) down to one tile, each cell the
/// mean of the cells with data beneath it; GDAL's note of the layout after
/// the header, then every directory, then the tiles of the smallest overview
/// first and of the full resolution last, each level row by row. Tiles
/// without data are not written (GDAL reads them as no-data). Tiles wait in
/// a scratch file in `scratch_folder` until the file is laid out; the
/// file is BigTIFF where its tiles pass 4 GB. Georeferenced as
/// WriteGeoTiff does.
std::optional<ErrorCode> WriteCloudOptimizedGeoTiff(int descriptor, const TiledRaster& raster,
                                                    TileCompression compression,
                                                    const std::filesystem::path& scratch_folder);

}  // namespace koravel
