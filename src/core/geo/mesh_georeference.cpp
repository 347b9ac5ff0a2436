#include "core/geo/mesh_georeference.h"

namespace koravel {

MeshGeoreference MeshGeoreference::Of(const MeshDocument& mesh) {
  return {mesh.SWLatSeconds, static_cast<double>(mesh.SWLonSeconds), mesh.NELatSeconds, mesh.LatStep,
          mesh.LonStep};
}

// Row 200 lies on the south edge and column 1 on the west edge.
GeographicPoint MeshGeoreference::CellSouthWest(int column, int row) const {
  return {SouthLatitude + (kMeshSize - row) * LatitudeStep, WestLongitude + (column - 1) * LongitudeStep};
}

GridPoint MeshGeoreference::ToGrid(GeographicPoint point) const {
  return {(point.Longitude - WestLongitude) / LongitudeStep, (NorthLatitude - point.Latitude) / LatitudeStep};
}

GeographicPoint MeshGeoreference::ToGeographic(GridPoint point) const {
  return {NorthLatitude - point.Y * LatitudeStep, WestLongitude + point.X * LongitudeStep};
}

}  // namespace koravel
