#pragma once

#include <optional>
#include <utility>
#include <string>
#include <string_view>

namespace koravel {

/// The eight directions to a mesh's neighbours.
enum class CompassDirection { North, NorthEast, East, SouthEast, South, SouthWest, West, NorthWest };

/// Cells eastward and northward of one step in `direction`: each -1, 0 or 1.
std::pair<int, int> EastNorthStep(CompassDirection direction);

/// The six-digit code of the second-level mesh next to `code` in `direction`.
/// A code is two digits of latitude and two of longitude of the first-level
/// mesh, then the row (south to north) and the column (west to east), 0 to 7,
/// of the second-level mesh in it; steps over an edge carry into the
/// first-level code. Nothing when `code` is no such code or the neighbour
/// lies outside the numbering.
std::optional<std::string> NeighbourMeshCode(std::string_view code, CompassDirection direction);

}  // namespace koravel
