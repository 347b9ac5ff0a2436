#pragma once

#include <string_view>
#include <vector>

namespace koravel {

/// `contour IN.mem OUT --interval M [--base B] [--crs EPSG:N]`: writes the
/// mesh's contour lines as GeoJSON, GeoPackage or DXF, chosen by OUT's
/// extension. Returns the exit status: 0 when written, 1 when a file does
/// not read or write, 2 for wrong arguments.
int RunContour(const std::vector<std::string_view>& args);

}  // namespace koravel
