#pragma once

#include <string>

#include "core/analysis/elevation_profile.h"

namespace koravel {

/// The profile as CSV text, one row per sample under the header
/// `distance_m,latitude,longitude,mesh_m,gps_m`: metres to 0.1 m, degrees on
/// the Tokyo datum to 7 places (about a centimetre), heights to 0.01 m, an
/// empty field where there is no height; LF line ends. Each piece's
/// distances start again from 0.
std::string ProfileCsv(const ElevationProfile& profile);

}  // namespace koravel
