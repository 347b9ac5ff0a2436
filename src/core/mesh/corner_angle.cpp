#include "core/mesh/corner_angle.h"

#include "core/text/lenient_number.h"

namespace koravel {

std::string CornerAngle::DisplayText() const {
  return Deg.Text() + "°" + Min.Text() + "' " + Sec.Text() + "\"";
}

double CornerAngle::Seconds() const {
  return number(Deg.Text()) * 3600 + number(Min.Text()) * 60 + number(Sec.Text());
}

}  // namespace koravel
