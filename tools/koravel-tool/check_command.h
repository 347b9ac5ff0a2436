#pragma once

#include <string_view>
#include <vector>

namespace koravel {

/// `check [--json] [--spike METRES] [--hole-cells N] FILE.mem...`: lists what
/// is likely wrong in each mesh. Returns the exit status: 0 when nothing is
/// found, 1 when something is or a file does not read, 2 for wrong arguments.
int RunCheck(const std::vector<std::string_view>& args);

}  // namespace koravel
