#pragma once

#include <optional>
#include <string>

#include "core/error_code.h"
#include "core/export/export_raster.h"

namespace koravel {

/// Writes `raster` to `descriptor` as an ESRI ASCII grid in degrees: rows
/// from north to south, values in metres, cells without data as NODATA
/// (-999.9, or -9999 for heights given in metres, each written in the
/// shortest text that reads back as the same Float32); `dx` and `dy` replace
/// `cellsize` when the cells are not square.
std::optional<ErrorCode> WriteAsciiGrid(int descriptor, const ExportRaster& raster);

/// The projection file that goes beside an ASCII grid: these meshes are on
/// the Tokyo datum (Bessel 1841), not on WGS 84.
std::string TokyoDatumProjection();

/// The projection file for a grid on EPSG `epsg`: JGD2011 (6668), JGD2000
/// (4612), else the Tokyo datum.
std::string GeographicProjection(int epsg);

}  // namespace koravel
