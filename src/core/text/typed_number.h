#pragma once

#include <optional>
#include <string_view>

namespace koravel {

/// A number as a person types it into a field (UTF-8): full-width digits,
/// sign, point and blanks count as their half-width forms, so "１２３．４"
/// is 123.4, and blanks around the number and the unit "m" after it are
/// allowed. nullopt for a text with no number, or with anything else before
/// or after it ("abc", "", "1,234", "12abc").
std::optional<double> TypedNumber(std::string_view text);

}  // namespace koravel
