#include "core/export/ascii_grid_writer.h"


#include <algorithm>
#include <charconv>
#include <span>
#include <string_view>
#include <vector>

#include "core/io/file_descriptor.h"
#include "core/io/save_file.h"
#include "core/text/value_text.h"

namespace koravel {
namespace {

constexpr double kSecondsPerDegree = 3600.0;
// Large enough that a single mesh goes out in one write, small enough that a
// large mosaic never sits whole in memory as text.
constexpr std::size_t kWriteChunk = 1 << 20;
constexpr std::size_t kMaxMetresTextLength = 16;  // "-1.2345678e-38"
constexpr const char* kNoDataMetres = "-9999";

std::string Degrees(double seconds) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, seconds / kSecondsPerDegree);
  return std::string(text, end.ptr);
}

std::string GridHeader(const ExportRaster& raster) {
  const MeshGeoreference& frame = raster.Frame;
  std::string header = "ncols " + std::to_string(raster.Columns) + "\nnrows " + std::to_string(raster.Rows) +
                       "\nxllcorner " + Degrees(frame.WestLongitude) + "\nyllcorner " +
                       Degrees(frame.SouthLatitude) + "\n";
  if (frame.LongitudeStep == frame.LatitudeStep) {
    header += "cellsize " + Degrees(frame.LongitudeStep) + "\n";
  } else {
    header += "dx " + Degrees(frame.LongitudeStep) + "\ndy " + Degrees(frame.LatitudeStep) + "\n";
  }
  return header + "NODATA_value " + (raster.FillMetres ? kNoDataMetres : ValueText(kNoData)) + "\n";
}

// Each height in the shortest text that reads back as the same Float32.
char* WriteMetres(char* out, std::span<const float> metres) {
  for (const float value : metres) {
    out = std::to_chars(out, out + kMaxMetresTextLength, value).ptr;
    *out++ = ' ';
  }
  return out;
}

char* WriteTenths(char* out, std::span<const std::int32_t> tenths) {
  for (const std::int32_t value : tenths) {
    out = WriteValueText(out, value);
    *out++ = ' ';
  }
  return out;
}

}  // namespace

// Values are written straight into one buffer, which is handed to the
// system whenever a chunk's worth has gathered.
std::optional<ErrorCode> WriteAsciiGrid(int descriptor, const ExportRaster& raster) {
  const std::string header = GridHeader(raster);
  const auto columns = static_cast<std::size_t>(raster.Columns);
  const std::size_t longest = std::max(kMaxValueTextLength, kMaxMetresTextLength);
  std::vector<char> text(std::max(header.size(), kWriteChunk) + columns * (longest + 1));
  char* end = std::copy(header.begin(), header.end(), text.data());
  std::vector<std::int32_t> tenths(raster.FillMetres ? 0 : columns);
  std::vector<float> metres(raster.FillMetres ? columns : 0);
  for (int y = 0; y < raster.Rows; ++y) {
    if (raster.FillMetres) {
      raster.FillMetres(y, metres);
      end = WriteMetres(end, metres);
    } else {
      raster.FillRow(y, tenths);
      end = WriteTenths(end, tenths);
    }
    end[-1] = '\n';
    const auto size = static_cast<std::size_t>(end - text.data());
    if (size >= kWriteChunk || y + 1 == raster.Rows) {
      if (!WriteAll(descriptor, std::string_view(text.data(), size))) return ErrorCode::FileError;
      if (y + 1 < raster.Rows) StartDiskWrite(descriptor);  // the writer starts the last chunk itself
      end = text.data();
    }
  }
  return std::nullopt;
}

std::string GeographicProjection(int epsg) {
  constexpr const char* kGrs80 = "SPHEROID[\"GRS_1980\",6378137.0,298.257222101]],PRIMEM[\"Greenwich\",0.0],"
                                 "UNIT[\"Degree\",0.0174532925199433]]";
  if (epsg == 6668) return std::string("GEOGCS[\"GCS_JGD_2011\",DATUM[\"D_JGD_2011\",") + kGrs80;
  if (epsg == 4612) return std::string("GEOGCS[\"GCS_JGD_2000\",DATUM[\"D_JGD_2000\",") + kGrs80;
  return TokyoDatumProjection();
}

std::string TokyoDatumProjection() {
  return "GEOGCS[\"GCS_Tokyo\",DATUM[\"D_Tokyo\",SPHEROID[\"Bessel_1841\",6377397.155,"
         "299.1528128]],PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433]]";
}

}  // namespace koravel
