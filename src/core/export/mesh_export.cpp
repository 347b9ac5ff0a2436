#include "core/export/mesh_export.h"


#include <algorithm>
#include <cctype>
#include <string>

#include "core/export/ascii_grid_writer.h"
#include "core/export/geotiff_writer.h"
#include "core/io/file_descriptor.h"
#include "core/export/tiff_library.h"

namespace koravel {
namespace {

std::string LowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

std::optional<ErrorCode> WriteText(int descriptor, const std::string& text) {
  if (!WriteAll(descriptor, text)) return ErrorCode::FileError;
  return std::nullopt;
}

}  // namespace

std::optional<ExportFormat> ExportFormatOf(const std::filesystem::path& path) {
  const std::string extension = LowerCase(path.extension().string());
  if (extension == ".asc") return ExportFormat::AsciiGrid;
  if (extension == ".tif" || extension == ".tiff") return ExportFormat::GeoTiff;
  return std::nullopt;
}

const char* ExtensionOf(ExportFormat format) { return format == ExportFormat::AsciiGrid ? ".asc" : ".tif"; }

std::jthread LoadWriterLibraries(ExportFormat format) {
  if (format != ExportFormat::GeoTiff) return {};
  return std::jthread([] { TiffLibrary::Get(); });
}

std::optional<ErrorCode> WriteRaster(DerivedFileWriter& writer, const ExportRaster& raster,
                                     const std::filesystem::path& path, ExportFormat format) {
  if (format == ExportFormat::GeoTiff) {
    return writer.Write(path, [&raster](int descriptor) { return WriteGeoTiff(descriptor, raster); });
  }
  if (auto failure = writer.Write(path, [&raster](int descriptor) { return WriteAsciiGrid(descriptor, raster); })) {
    return failure;
  }
  std::filesystem::path projection = path;
  projection.replace_extension(".prj");
  return writer.Write(projection,
                      [&raster](int descriptor) { return WriteText(descriptor, GeographicProjection(raster.Epsg)); });
}

std::optional<ErrorCode> ExportMesh(const MeshDocument& document, const std::filesystem::path& path) {
  const std::optional<ExportFormat> format = ExportFormatOf(path);
  if (!format) return ErrorCode::UnsupportedExportFormat;
  return ExportMeshAs(document, path, *format);
}

std::optional<ErrorCode> ExportMeshAs(const MeshDocument& document, const std::filesystem::path& path,
                                      ExportFormat format) {
  DerivedFileWriter writer;
  if (auto failure = WriteRaster(writer, ExportRaster::Of(document), path, format)) return failure;
  return writer.Flush();
}

}  // namespace koravel
