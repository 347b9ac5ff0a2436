#pragma once

#include <optional>
#include <string_view>

#include "core/mesh/mesh_document.h"

namespace koravel {

/// Whether `code` is a six-digit second-level mesh code of a first-level mesh
/// in Japan's range: two digits of latitude (30 to 68, the first-level mesh's
/// south edge at 20°00' to 45°20' N) and two of longitude (22 to 53, its west
/// edge at 122° to 153° E), then the row and the column of the second-level
/// mesh in it, 0 to 7 each.
bool IsJapaneseMeshCode(std::string_view code);

/// A new mesh for `code`, as a file of it would read: the mesh code, the
/// corners and steps of that mesh on the Tokyo datum (arc-seconds; a mesh is
/// 5' by 7'30", so 1.5" by 2.25" cells), 200 by 200 points, every record
/// present and every cell kNoData, the three years `year` (four digits),
/// blank full-width sheet names and comment (a 1009-byte header), every other
/// number zero, and no file name. Nothing when `code` is no such code.
std::optional<MeshDocument> NewMesh(std::string_view code, int year);

}  // namespace koravel
