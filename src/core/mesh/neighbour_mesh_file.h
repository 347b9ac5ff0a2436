#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "core/geo/mesh_code.h"

namespace koravel {

/// The readable file of the mesh next to mesh `code` in `direction`: the
/// neighbour's code with ".mem", in any letter case, in the folder of
/// `mesh_file`. Of several spellings the first by name is taken. Nothing
/// when there is no such file.
std::optional<std::filesystem::path> NeighbourMeshFile(const std::filesystem::path& mesh_file,
                                                       std::string_view code, CompassDirection direction);

}  // namespace koravel
