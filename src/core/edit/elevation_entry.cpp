#include "core/edit/elevation_entry.h"

#include "core/text/lenient_number.h"
#include "core/text/typed_number.h"

namespace koravel {

std::optional<std::int32_t> ParseElevation(std::string_view text) {
  const std::optional<double> metres = TypedNumber(text);
  if (!metres) return std::nullopt;
  const std::optional<std::int32_t> tenths = RoundHalfEven<std::int32_t>(*metres * 10);
  if (!tenths || *tenths < kLowestElevation || *tenths > kHighestElevation) return std::nullopt;
  return tenths;
}

}  // namespace koravel
