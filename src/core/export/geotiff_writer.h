#pragma once

#include <optional>

#include "core/error_code.h"
#include "core/export/export_raster.h"

namespace koravel {

/// Writes `raster` to `descriptor` as a GeoTIFF: one Float32 band in metres,
/// -9999 declared as no-data (the GDAL_NODATA tag), on the raster's EPSG
/// code (EPSG:4301, Tokyo, for meshes) with pixel-is-area, its north-west corner and cell size in degrees
/// exactly those of the raster's frame.
std::optional<ErrorCode> WriteGeoTiff(int descriptor, const ExportRaster& raster);

}  // namespace koravel
