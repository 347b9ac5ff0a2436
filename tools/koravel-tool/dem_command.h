#pragma once

#include <string_view>
#include <vector>

namespace koravel {

/// `dem OUT.tif|OUT.asc INPUT... [--sea-zero]`; returns the exit status, 2
/// for wrong arguments.
int RunDem(std::vector<std::string_view> args);

}  // namespace koravel
