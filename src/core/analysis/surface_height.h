#pragma once

#include <optional>

#include "core/geo/mesh_georeference.h"
#include "core/mesh/mesh_document.h"

namespace koravel {

/// The height of the mesh's surface at `point` (grid frame), in metres. A
/// cell's value stands at its centre, (x − 0.5, y − 0.5); between centres the
/// four around the point are interpolated bilinearly. Nothing where one of
/// the four has no data or lies outside the mesh, which leaves the outer half
/// cell of each edge without a height.
std::optional<double> BilinearHeight(const MeshDocument& mesh, GridPoint point);

}  // namespace koravel
