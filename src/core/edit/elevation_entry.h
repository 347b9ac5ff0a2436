#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace koravel {

/// The lowest and highest elevation a cell may hold, in tenths of a metre:
/// the range of the file's five-character field.
inline constexpr std::int32_t kLowestElevation = -9999;
inline constexpr std::int32_t kHighestElevation = 99999;

/// Typed metres (as TypedNumber reads them) as tenths of a metre, rounded
/// half to even: "12.34" → 123, "０．２５" → 2. nullopt for a text that is
/// no number, or a value outside −999.9 m to 9999.9 m.
std::optional<std::int32_t> ParseElevation(std::string_view text);

}  // namespace koravel
