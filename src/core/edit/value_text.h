#pragma once

#include <cstdint>
#include <string>

namespace koravel {

/// A stored elevation in tenths of a metre as the user reads it, in metres:
/// 12345 → "1234.5", 100 → "10", 5 → "0.5", −9999 → "-999.9", 0 → "0".
std::string ValueText(std::int32_t tenths);

/// Appends ValueText(tenths) to `text`, for writers of whole grids.
void AppendValueText(std::string& text, std::int32_t tenths);

}  // namespace koravel
