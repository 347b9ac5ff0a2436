#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "error_code.h"
#include "mesh/mesh_document.h"

namespace koravel {

/// The grid as an ESRI ASCII grid in degrees, rows from north to south,
/// values in metres, cells without data as the NODATA value.
std::string FormatAsciiGrid(const MeshDocument& document);

/// The projection file that goes beside the grid: these meshes are on the
/// Tokyo datum (Bessel 1841), not on WGS 84.
std::string TokyoDatumProjection();

/// Writes the grid to `grid_path` and its projection to the same name with
/// the extension ".prj".
std::optional<ErrorCode> ExportAsciiGrid(const MeshDocument& document,
                                         const std::filesystem::path& grid_path);

}  // namespace koravel
