#include "edit/value_text.h"

#include <cstdlib>

namespace koravel {

std::string ValueText(std::int32_t tenths) {
  const long long magnitude = std::llabs(static_cast<long long>(tenths));
  std::string text = tenths < 0 ? "-" : "";
  text += std::to_string(magnitude / 10);
  if (magnitude % 10 != 0) text += "." + std::to_string(magnitude % 10);
  return text;
}

}  // namespace koravel
