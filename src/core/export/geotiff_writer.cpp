#include "core/export/geotiff_writer.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <vector>

#include "core/export/geotiff_tags.h"
#include "core/export/tiff_library.h"
#include "core/io/save_file.h"

namespace koravel {
namespace {

constexpr std::size_t kStripBytes = 64 * 1024;
constexpr double kClassicTiffLimit = 3.9e9;  // bytes of cells, with room for the tags
constexpr int kStripsPerDiskWrite = 16;

int RowsPerStrip(const ExportRaster& raster) {
  return std::max<int>(1, static_cast<int>(kStripBytes / (sizeof(float) * static_cast<std::size_t>(raster.Columns))));
}

bool SetTags(const TiffLibrary& tiff, TIFF* file, const ExportRaster& raster) {
  return SetFloatBandTags(tiff, file, raster.Columns, raster.Rows) &&
         tiff.SetField(file, TIFFTAG_COMPRESSION, COMPRESSION_NONE) &&
         tiff.SetField(file, TIFFTAG_ROWSPERSTRIP, static_cast<std::uint32_t>(RowsPerStrip(raster))) &&
         SetGeoTiffTags(tiff, file, raster.Frame, raster.Epsg);
}

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
      std::transform(tenths.begin(), tenths.end(), strip.begin() + offset, MetresOf);
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
  const bool written = SetTags(*tiff, file, raster) && WriteStrips(*tiff, file, descriptor, raster) && tiff->Flush(file) == 1;
  tiff->Close(file);
  return written ? std::nullopt : std::optional(ErrorCode::FileError);
}

}  // namespace koravel
