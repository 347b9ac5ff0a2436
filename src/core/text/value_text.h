#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace koravel {

/// A stored elevation in tenths of a metre as the user reads it, in metres:
/// 12345 → "1234.5", 100 → "10", 5 → "0.5", −9999 → "-999.9", 0 → "0".
std::string ValueText(std::int32_t tenths);

/// The most characters that ValueText gives: "-214748364.8".
inline constexpr std::size_t kMaxValueTextLength = 12;

/// Writes ValueText(tenths) at `out`, which has room for kMaxValueTextLength
/// characters, and returns the end of it: for writers of whole grids, which
/// write millions of values.
char* WriteValueText(char* out, std::int32_t tenths);

}  // namespace koravel
