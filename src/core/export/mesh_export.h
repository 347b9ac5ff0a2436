#pragma once

#include <filesystem>
#include <optional>
#include <thread>

#include "core/error_code.h"
#include "core/export/export_raster.h"
#include "core/io/deferred_flush.h"
#include "core/mesh/mesh_document.h"

namespace koravel {

enum class ExportFormat {
  AsciiGrid,  ///< ESRI ASCII grid with a .prj beside it
  GeoTiff,
};

/// The format that a file name asks for: ".asc" an ASCII grid, ".tif" or
/// ".tiff" a GeoTIFF, in any case; nothing for any other extension.
std::optional<ExportFormat> ExportFormatOf(const std::filesystem::path& path);

/// The extension, with its dot, that the format's files take.
const char* ExtensionOf(ExportFormat format);

/// Starts loading the libraries that writing `format` needs on a thread of
/// its own, so that they are ready by the time the first file is written;
/// the thread is joined when the result goes.
std::jthread LoadWriterLibraries(ExportFormat format);

/// Writes `raster` to `path` in `format` through the one safe writer
/// (SaveFile), its flush left to `deferred` if given. An ASCII grid also gets
/// its projection file, named as `path` with ".prj", which is whole before
/// the grid takes its name, so that no run cut short leaves a grid without it.
std::optional<ErrorCode> WriteRaster(const ExportRaster& raster, const std::filesystem::path& path,
                                     ExportFormat format, DeferredFlush* deferred = nullptr);

/// Writes the grid of `document`, edits included, to `path` in the format
/// its extension names, through the writer of a save; its files reach the
/// disk together once all are named.
std::optional<ErrorCode> ExportMesh(const MeshDocument& document, const std::filesystem::path& path);

/// The same in `format`, whatever the extension of `path`.
std::optional<ErrorCode> ExportMeshAs(const MeshDocument& document, const std::filesystem::path& path,
                                      ExportFormat format);

}  // namespace koravel
