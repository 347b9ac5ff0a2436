#pragma once

#include <string_view>
#include <vector>

namespace koravel {

/// `new CODE OUT.mem [--from INPUT... [--sea-zero]]`: writes a new mesh,
/// empty or with its heights from the newer elevation model. Returns the
/// exit status; wrong arguments and a wrong mesh code say so and give 2.
int RunNew(std::vector<std::string_view> args);

}  // namespace koravel
