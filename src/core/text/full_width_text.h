#pragma once

#include <string>
#include <string_view>

namespace koravel {

/// `text` with its half-width characters in their full-width forms: ASCII
/// letters, digits, punctuation and the space (U+3000), and half-width
/// katakana, a following voiced or semi-voiced mark joined where Shift-JIS
/// has the joined letter. Everything else stays as it is.
std::u32string ToFullWidth(std::u32string_view text);

}  // namespace koravel
