#pragma once

#include <cstdint>
#include <optional>

#include "core/scale/elevation_scale.h"

namespace koravel {

/// "最高最低": levels from the lowest elevation upward, a whole number of
/// metres apart: (highest − lowest) / 15 rounded half to even. Elevations in
/// tenths of a metre, as the document keeps its extremes.
void SpreadLevelsFromLowestToHighest(ElevationScale& scale, std::int32_t lowest,
                                     std::int32_t highest);

/// "最低から": levels 1 m apart, starting at the lowest elevation.
void StepLevelsFromLowest(ElevationScale& scale, std::int32_t lowest);

/// The colours of the difference between a mesh and a reference model: blue
/// where the mesh lies below it, white within half a metre, red above it;
/// levels at ±0.5, 1, 2, 5, 10, 20 and 50 m and 100 m, colour i below level i.
ElevationScale DifferenceScale();

/// The colours of slope in degrees (its levels in degrees where a height
/// scale has metres): green on level ground through yellow to dark red on
/// cliffs.
ElevationScale SlopeScale();

/// The colour of a cell the difference or slope scale cannot colour: a
/// height is missing.
inline constexpr RgbColor kNoDifferenceColor{200, 200, 200};

/// Whether level `index` may take `value` between its neighbours' values as
/// the legend shows them; a neighbour that shows no number refuses it.
bool LevelFitsBetweenNeighbours(int index, double value, std::optional<double> below,
                                std::optional<double> above);

}  // namespace koravel
