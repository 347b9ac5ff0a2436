#pragma once

#include <cstddef>
#include <optional>

#include "core/analysis/elevation_profile.h"

namespace koravel {

/// The figures under a profile, from the mesh's heights unless said otherwise.
struct ProfileSummary {
  double LengthMetres = 0;              ///< all pieces together
  std::optional<std::size_t> Lowest;    ///< the sample with the lowest height, the first of equals
  std::optional<std::size_t> Highest;   ///< the sample with the highest height, the first of equals
  double AscentMetres = 0;              ///< every rise from sample to sample
  double DescentMetres = 0;             ///< every fall from sample to sample
  /// Rises and falls counted only as whole swings between turning points at
  /// least the threshold apart, so that small ups and downs (noise, a
  /// cell's roughness) do not add up.
  double SteadyAscentMetres = 0;
  double SteadyDescentMetres = 0;
  /// The mean of GPS height minus mesh height over the samples with both.
  std::optional<double> MeanGpsMinusMeshMetres;
};

/// The figures of `profile`; each piece climbs on its own, and samples
/// without a mesh height are passed over.
ProfileSummary Summarize(const ElevationProfile& profile, double threshold_metres = 10);

}  // namespace koravel
