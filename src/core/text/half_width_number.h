#pragma once

#include <string>
#include <string_view>

namespace koravel {

/// UTF-8 `text` with the full-width forms that a Japanese input method types
/// in numbers made half-width: digits, plus, minus (and U+2212 and the long
/// vowel mark), the full stop, the exponent's e, the unit m and the
/// ideographic space. "－１２．５" → "-12.5"; everything else stays as it is.
std::string HalfWidthNumber(std::string_view text);

}  // namespace koravel
