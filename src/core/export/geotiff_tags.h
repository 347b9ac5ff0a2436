#pragma once

#include <tiffio.h>

#include "core/export/tiff_library.h"
#include "core/geo/mesh_georeference.h"

namespace koravel {

/// Sets, in the directory being written of `file`, the tags of one Float32
/// band of `columns` × `rows` cells, one sample to a cell, with -9999
/// declared as no-data (GDAL's tag).
bool SetFloatBandTags(const TiffLibrary& tiff, TIFF* file, int columns, int rows);

/// Sets the GeoTIFF georeference of `frame` (edges and steps in
/// arc-seconds) on EPSG `epsg`, a geographic system in degrees: the pixel
/// scale, the north-west corner as the tie point, and the key directory
/// (model geographic, pixel is area, the EPSG code, degrees).
bool SetGeoTiffTags(const TiffLibrary& tiff, TIFF* file, const MeshGeoreference& frame, int epsg);

}  // namespace koravel
