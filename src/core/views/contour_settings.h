#pragma once

namespace koravel {

/// Contour lines over the maps: whether they are drawn, and their heights.
struct ContourSettings {
  bool shown = false;
  double detail_interval = 10;    ///< metres between lines on the detail view
  double overview_interval = 50;  ///< and on the overview
  double base = 0;                ///< the height one line follows, in metres
  bool operator==(const ContourSettings&) const = default;
};

}  // namespace koravel
