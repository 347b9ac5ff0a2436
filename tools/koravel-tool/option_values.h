#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace koravel {

/// A whole number of at least 0 given as an option's value.
std::optional<int> CountOption(std::string_view text);

/// A finite decimal number given as an option's value.
std::optional<double> NumberOption(std::string_view text);

/// Metres of at least 0 given as an option's value, in tenths of a metre.
std::optional<std::int32_t> MetresOption(std::string_view text);

}  // namespace koravel
