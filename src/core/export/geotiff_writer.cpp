#include "core/export/geotiff_writer.h"

#include <geotiff/geokeys.h>
#include <geotiff/geovalues.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <vector>

#include "core/export/tiff_library.h"
#include "core/io/save_file.h"

namespace koravel {
namespace {

constexpr double kSecondsPerDegree = 3600.0;
constexpr float kNoDataMetres = -9999.0f;
constexpr std::size_t kStripBytes = 64 * 1024;
constexpr double kClassicTiffLimit = 3.9e9;  // bytes of cells, with room for the tags
constexpr int kStripsPerDiskWrite = 16;

char kNoDataName[] = "GDALNoDataValue";

// libgeotiff registers the GeoTIFF tags with libtiff, but not GDAL's no-data tag.
const TIFFFieldInfo kNoDataField[] = {
    {TIFFTAG_GDAL_NODATA, -1, -1, TIFF_ASCII, FIELD_CUSTOM, 1, 0, kNoDataName},
};

// Silences libgeotiff's messages; a failure shows in the result of the call.
void IgnoreGeoTiffMessage(GTIF*, int, const char*, ...) {}

bool SetGeoKeys(const TiffLibrary& tiff, TIFF* file, int epsg) {
  GTIF* keys = tiff.NewGeoKeys(file, IgnoreGeoTiffMessage, nullptr);
  if (keys == nullptr) return false;
  const bool set = tiff.SetGeoKey(keys, GTModelTypeGeoKey, TYPE_SHORT, 1, ModelTypeGeographic) &&
                   tiff.SetGeoKey(keys, GTRasterTypeGeoKey, TYPE_SHORT, 1, RasterPixelIsArea) &&
                   tiff.SetGeoKey(keys, GeographicTypeGeoKey, TYPE_SHORT, 1, epsg) &&
                   tiff.SetGeoKey(keys, GeogAngularUnitsGeoKey, TYPE_SHORT, 1, Angular_Degree) &&
                   tiff.WriteGeoKeys(keys);
  tiff.FreeGeoKeys(keys);
  return set;
}

int RowsPerStrip(const ExportRaster& raster) {
  return std::max<int>(1, static_cast<int>(kStripBytes / (sizeof(float) * static_cast<std::size_t>(raster.Columns))));
}

bool SetTags(const TiffLibrary& tiff, TIFF* file, const ExportRaster& raster) {
  const MeshGeoreference& frame = raster.Frame;
  const std::array<double, 3> scale = {frame.LongitudeStep / kSecondsPerDegree,
                                       frame.LatitudeStep / kSecondsPerDegree, 0};
  const std::array<double, 6> tiepoint = {0, 0, 0, frame.WestLongitude / kSecondsPerDegree,
                                          frame.NorthLatitude / kSecondsPerDegree, 0};
  return tiff.SetField(file, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(raster.Columns)) &&
         tiff.SetField(file, TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(raster.Rows)) &&
         tiff.SetField(file, TIFFTAG_BITSPERSAMPLE, 32) && tiff.SetField(file, TIFFTAG_SAMPLESPERPIXEL, 1) &&
         tiff.SetField(file, TIFFTAG_SAMPLEFORMAT, SAMPLEFORMAT_IEEEFP) &&
         tiff.SetField(file, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK) &&
         tiff.SetField(file, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
         tiff.SetField(file, TIFFTAG_COMPRESSION, COMPRESSION_NONE) &&
         tiff.SetField(file, TIFFTAG_ROWSPERSTRIP, static_cast<std::uint32_t>(RowsPerStrip(raster))) &&
         tiff.SetField(file, TIFFTAG_GDAL_NODATA, "-9999") &&
         tiff.SetField(file, TIFFTAG_GEOPIXELSCALE, 3, scale.data()) &&
         tiff.SetField(file, TIFFTAG_GEOTIEPOINTS, 6, tiepoint.data()) && SetGeoKeys(tiff, file, raster.Epsg);
}

float Metres(std::int32_t tenths) { return tenths == kNoData ? kNoDataMetres : static_cast<float>(tenths) / 10.0f; }

// Starts the disk on each megabyte as it is written, not on all of them at the end.
bool WriteStrips(const TiffLibrary& tiff, TIFF* file, int descriptor, const ExportRaster& raster) {
  const auto columns = static_cast<std::size_t>(raster.Columns);
  const int rows_per_strip = RowsPerStrip(raster);
  std::vector<std::int32_t> tenths(columns);
  std::vector<float> strip(columns * static_cast<std::size_t>(rows_per_strip));
  for (int first = 0, index = 0; first < raster.Rows; first += rows_per_strip, ++index) {
    const int rows = std::min(rows_per_strip, raster.Rows - first);
    for (int row = 0; row < rows; ++row) {
      const auto offset = static_cast<std::ptrdiff_t>(columns) * row;
      if (raster.FillMetres) {
        raster.FillMetres(first + row, std::span(strip.begin() + offset, columns));
        continue;
      }
      raster.FillRow(first + row, tenths);
      std::transform(tenths.begin(), tenths.end(), strip.begin() + offset, Metres);
    }
    const tmsize_t bytes = static_cast<tmsize_t>(columns * sizeof(float)) * rows;
    if (tiff.WriteEncodedStrip(file, static_cast<std::uint32_t>(index), strip.data(), bytes) != bytes) return false;
    if (index % kStripsPerDiskWrite == kStripsPerDiskWrite - 1) StartDiskWrite(descriptor);
  }
  return true;
}

}  // namespace

std::optional<ErrorCode> WriteGeoTiff(int descriptor, const ExportRaster& raster) {
  const TiffLibrary* tiff = TiffLibrary::Get();
  if (tiff == nullptr) return ErrorCode::TiffLibraryMissing;
  // libtiff closes the descriptor it is given; the caller keeps its own.
  const int own = dup(descriptor);
  if (own < 0) return ErrorCode::FileError;
  // Classic TIFF ends at 4 GiB; a mosaic of all Japan goes past it.
  const double bytes = double(raster.Columns) * raster.Rows * sizeof(float);
  TIFF* file = tiff->FdOpen(own, "export.tif", bytes < kClassicTiffLimit ? "w" : "w8");
  if (file == nullptr) {
    close(own);
    return ErrorCode::FileError;
  }
  const bool written = tiff->MergeFieldInfo(file, kNoDataField, std::size(kNoDataField)) == 0 &&
                       SetTags(*tiff, file, raster) && WriteStrips(*tiff, file, descriptor, raster) && tiff->Flush(file) == 1;
  tiff->Close(file);
  return written ? std::nullopt : std::optional(ErrorCode::FileError);
}

}  // namespace koravel
