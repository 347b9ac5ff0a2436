#pragma once

#include <cstdint>
#include <vector>

#include "core/analysis/holes.h"
#include "core/edit/cell_changes.h"
#include "core/edit/cell_selection.h"

namespace koravel {

/// The heights that fill `hole`, in tenths of a metre, one for each of its
/// cells in order: the discrete harmonic surface through the cells around it
/// (each filled cell the mean of its four neighbours), solved to convergence
/// and rounded half to even. A hole in a plane comes back as that plane, and
/// no value lies outside the range of the heights around the hole.
std::vector<std::int32_t> HarmonicFill(const MeshDocument& mesh, const Hole& hole);

/// Fills every hole of `mesh` of at most `max_cells` cells.
CellChanges FillHoles(const MeshDocument& mesh, int max_cells = kDefaultHoleCells);

/// Fills every hole that lies wholly among `cells`, whatever its size.
CellChanges FillHoles(const MeshDocument& mesh, const CellSelection& cells);

}  // namespace koravel
