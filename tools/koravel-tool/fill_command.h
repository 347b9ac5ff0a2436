#pragma once

#include <string_view>
#include <vector>

namespace koravel {

/// `fill [--hole-cells N] IN.mem OUT.mem`: fills the holes of up to N cells
/// and writes the mesh. Returns the exit status, 2 for wrong arguments.
int RunFill(const std::vector<std::string_view>& args);

}  // namespace koravel
