#pragma once

#include <string_view>
#include <vector>

namespace koravel {

/// `profile FILE.mem TRACK [--step METRES] [--summary]`: prints the heights
/// along each piece of a track as CSV, or the figures of the whole. Returns
/// the exit status: 0 when done, 1 when a file does not read, 2 for wrong
/// arguments.
int RunProfile(const std::vector<std::string_view>& args);

}  // namespace koravel
