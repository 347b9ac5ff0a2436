#pragma once

#include <ostream>
#include <vector>

#include "core/error_code.h"
#include "core/mesh/mesh_document.h"

namespace koravel {

/// Prints what `koravel-tool info` tells about a mesh: the header fields,
/// corners as the window shows them and in arc-seconds, steps, sheets,
/// record flags, extremes and the warnings met while reading.
void PrintMeshSummary(const MeshDocument& document, const std::vector<Warning>& warnings,
                      std::ostream& out);

/// The same as one JSON object.
void PrintMeshSummaryJson(const MeshDocument& document, const std::vector<Warning>& warnings,
                          std::ostream& out);

}  // namespace koravel
