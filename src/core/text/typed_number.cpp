#include "core/text/typed_number.h"

#include <string>

#include "core/text/half_width_number.h"
#include "core/text/lenient_number.h"

namespace koravel {

std::optional<double> TypedNumber(std::string_view text) {
  std::string half = HalfWidthNumber(text);
  const std::size_t end = half.find_last_not_of(" \t");
  if (end != std::string::npos && half[end] == 'm') half.erase(end);
  return StrictNumber(half);
}

}  // namespace koravel
