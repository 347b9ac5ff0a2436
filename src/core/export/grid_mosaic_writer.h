#pragma once

#include <filesystem>
#include <optional>

#include "core/error_code.h"
#include "core/export/grid_mosaic.h"
#include "core/export/mesh_export.h"
#include "core/export/mosaic_frame.h"
#include "core/export/parallel_for_each.h"
#include "core/export/tile_encoder.h"

namespace koravel {

/// How a mosaic is written.
struct MosaicOptions {
  /// A GeoTIFF as a cloud-optimised GeoTIFF; otherwise in uncompressed
  /// strips, as a single export writes one.
  bool CloudOptimized = true;
  TileCompression Compression = TileCompression::Deflate;
  MosaicLimits Limits;
};

/// Writes the grids placed on `frame` (its Areas, each read by `load` while
/// the part of the frame it lies in is written) to `output` in `format`, on
/// EPSG `epsg`, through the one safe writer, flushed to the disk: a GeoTIFF
/// as WriteCloudOptimizedGeoTiff writes it (tiles waiting beside `output`)
/// or in strips, an ASCII grid row by row. Cells are tenths of a metre
/// (std::int32_t, no data kNoData) or metres (float, -9999); `progress`
/// counts the grids read.
template <typename Cell>
std::optional<ErrorCode> WriteGridMosaic(const MosaicFrame& frame, int epsg, typename GridMosaic<Cell>::Loader load,
                                         const std::filesystem::path& output, ExportFormat format,
                                         const MosaicOptions& options, const ProgressReport& progress);

}  // namespace koravel
