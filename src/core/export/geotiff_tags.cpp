#include "core/export/geotiff_tags.h"

#include <geotiff/geokeys.h>
#include <geotiff/geovalues.h>
#include <geotiff/xtiffio.h>

#include <array>
#include <cstdint>

namespace koravel {
namespace {

constexpr double kSecondsPerDegree = 3600.0;

// The key directory's header (version 1, revision 1.0, four keys), then
// each key as its id, where its value lies (0: in the entry), the count and
// the value, in the order of the ids.
std::array<std::uint16_t, 20> KeyDirectory(int epsg) {
  return {1, 1, 0, 4,
          GTModelTypeGeoKey, 0, 1, ModelTypeGeographic,
          GTRasterTypeGeoKey, 0, 1, RasterPixelIsArea,
          GeographicTypeGeoKey, 0, 1, static_cast<std::uint16_t>(epsg),
          GeogAngularUnitsGeoKey, 0, 1, Angular_Degree};
}

}  // namespace

bool SetFloatBandTags(const TiffLibrary& tiff, TIFF* file, int columns, int rows) {
  return tiff.SetField(file, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(columns)) &&
         tiff.SetField(file, TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(rows)) &&
         tiff.SetField(file, TIFFTAG_BITSPERSAMPLE, 32) && tiff.SetField(file, TIFFTAG_SAMPLESPERPIXEL, 1) &&
         tiff.SetField(file, TIFFTAG_SAMPLEFORMAT, SAMPLEFORMAT_IEEEFP) &&
         tiff.SetField(file, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK) &&
         tiff.SetField(file, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
         tiff.SetField(file, TIFFTAG_GDAL_NODATA, "-9999");
}

bool SetGeoTiffTags(const TiffLibrary& tiff, TIFF* file, const MeshGeoreference& frame, int epsg) {
  const std::array<double, 3> scale = {frame.LongitudeStep / kSecondsPerDegree,
                                       frame.LatitudeStep / kSecondsPerDegree, 0};
  const std::array<double, 6> tiepoint = {0, 0, 0, frame.WestLongitude / kSecondsPerDegree,
                                          frame.NorthLatitude / kSecondsPerDegree, 0};
  const std::array<std::uint16_t, 20> keys = KeyDirectory(epsg);
  return tiff.SetField(file, TIFFTAG_GEOPIXELSCALE, 3, scale.data()) &&
         tiff.SetField(file, TIFFTAG_GEOTIEPOINTS, 6, tiepoint.data()) &&
         tiff.SetField(file, TIFFTAG_GEOKEYDIRECTORY, static_cast<int>(keys.size()), keys.data());
}

}  // namespace koravel
