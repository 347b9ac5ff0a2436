#include "core/export/mesh_export.h"


#include <algorithm>
#include <cctype>
#include <string>

#include "core/export/ascii_grid_writer.h"
#include "core/export/geotiff_writer.h"
#include "core/export/tiff_library.h"
#include "core/io/save_file.h"

namespace koravel {
namespace {

std::string LowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
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

std::optional<ErrorCode> WriteRaster(const ExportRaster& raster, const std::filesystem::path& path,
                                     ExportFormat format, DeferredFlush* deferred) {
  if (format == ExportFormat::GeoTiff) {
    return WriteFile(path, [&raster](int descriptor) { return WriteGeoTiff(descriptor, raster); }, deferred);
  }
  std::filesystem::path projection = path;
  projection.replace_extension(".prj");
  // Both in one file would make the save of one wait for the other's lock.
  std::error_code unknown;
  if (std::filesystem::equivalent(path, projection, unknown)) return ErrorCode::UnsupportedExportFormat;
  std::variant<SaveFile, ErrorCode> grid = SaveFile::Begin(path, deferred);
  if (const ErrorCode* refused = std::get_if<ErrorCode>(&grid)) return *refused;
  if (auto failure = WriteAsciiGrid(std::get<SaveFile>(grid).Descriptor(), raster)) return failure;
  if (auto failure = WriteFileContents(projection, GeographicProjection(raster.Epsg), deferred)) return failure;
  return std::get<SaveFile>(grid).Commit();
}

std::optional<ErrorCode> ExportMesh(const MeshDocument& document, const std::filesystem::path& path) {
  const std::optional<ExportFormat> format = ExportFormatOf(path);
  if (!format) return ErrorCode::UnsupportedExportFormat;
  return ExportMeshAs(document, path, *format);
}

std::optional<ErrorCode> ExportMeshAs(const MeshDocument& document, const std::filesystem::path& path,
                                      ExportFormat format) {
  DeferredFlush flush;
  if (auto failure = WriteRaster(ExportRaster::Of(document), path, format, &flush)) return failure;
  return flush.Flush();
}

}  // namespace koravel
