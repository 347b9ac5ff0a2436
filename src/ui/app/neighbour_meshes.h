#pragma once

#include <QString>
#include <string>

#include "core/geo/mesh_code.h"

namespace koravel {

/// The file of the mesh next to mesh `code` in `direction`: the neighbour's
/// code with ".mem", in any letter case, in the folder of `opened_file`.
/// Empty when there is no such file.
QString NeighbourMeshFile(const QString& opened_file, const std::string& code, CompassDirection direction);

}  // namespace koravel
