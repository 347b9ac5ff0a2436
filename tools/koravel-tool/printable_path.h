#pragma once

#include <filesystem>
#include <string>

namespace koravel {

/// `path` as the tool prints it: control characters escaped C-style (\n, \t,
/// \x1b) and so the backslash too (\\), so that a file name can neither
/// break an output line nor fake one. Other bytes are printed as they are.
std::string PrintablePath(const std::filesystem::path& path);

}  // namespace koravel
