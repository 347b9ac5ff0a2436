#pragma once

#include <string>

#include "core/text/cp932_text.h"

namespace koravel {

/// One corner coordinate of a mesh, its three fields kept exactly as read.
struct CornerAngle {
  Cp932Text Deg;  ///< degrees, 3 characters
  Cp932Text Min;  ///< minutes, 2 characters
  Cp932Text Sec;  ///< seconds, 2 characters

  /// The corner as the window shows it, nothing trimmed: `035°40' 00"`.
  std::string DisplayText() const;
  /// The angle in arc-seconds, each field read leniently (blank is 0).
  double Seconds() const;
};

}  // namespace koravel
