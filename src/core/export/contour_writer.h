#pragma once

#include <filesystem>
#include <optional>
#include <span>

#include "core/analysis/contour_tracer.h"
#include "core/error_code.h"
#include "core/mesh/mesh_document.h"

namespace koravel {

/// The vector formats contour lines are written in.
enum class VectorFormat {
  GeoJson,     ///< .geojson, RFC 7946: longitude and latitude on WGS 84
  GeoPackage,  ///< .gpkg
  Dxf,         ///< .dxf, for CAD: polylines at their height (Z)
};

/// The format a file name asks for by its extension, in any case.
std::optional<VectorFormat> VectorFormatOf(const std::filesystem::path& path);

/// Writes the contour `lines` of `mesh` to `path` through GDAL's OGR, one
/// feature per line with its height in metres as the attribute `elevation`
/// (in DXF, which has no attributes, as each vertex's Z). Positions go from
/// the Tokyo datum to WGS 84 as tracks come the other way (see
/// DatumConverter), in degrees of longitude and latitude, then, where `epsg`
/// names another coordinate system (a plane rectangular zone such as 6677),
/// into it by PROJ; GeoJSON is always WGS 84. The file is made in memory and
/// saved through SaveFile, whole or not at all.
std::optional<ErrorCode> WriteContours(const MeshDocument& mesh, std::span<const ContourLine> lines,
                                       const std::filesystem::path& path, std::optional<int> epsg = std::nullopt);

}  // namespace koravel
