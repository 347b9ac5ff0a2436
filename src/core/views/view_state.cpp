#include "core/views/view_state.h"

#include <algorithm>
#include <cmath>

#include "core/mesh/mesh_document.h"
#include "core/views/map_geometry.h"

namespace koravel {
namespace {

// One axis of PlaceCursor: the cursor cell and its offset from the view.
void PlaceOnAxis(int start, int offset, std::int16_t& cell, std::int16_t& screen) {
  const int wanted = std::clamp(start + offset, 1, kMeshSize);
  cell = static_cast<std::int16_t>(wanted);
  screen = static_cast<std::int16_t>(wanted - start);
}

std::int16_t ViewStartAround(double overview_cells, int shown) {
  const double start = std::nearbyint(overview_cells - shown / 2);
  return static_cast<std::int16_t>(std::clamp(start, 1.0, double(kMeshSize - shown + 1)));
}

}  // namespace

void ViewState::PlaceCursor(int column, int row) {
  PlaceOnAxis(MapXstart, column, MapX, ScrX);
  PlaceOnAxis(MapYstart, row, MapY, ScrY);
}

void ViewState::CentreOnOverviewPoint(double x, double y, int columns, int rows) {
  MapXstart = ViewStartAround(x / kOverviewCellWidth, columns);
  MapYstart = ViewStartAround(y / kOverviewCellHeight, rows);
}

}  // namespace koravel
