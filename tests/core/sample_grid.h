#pragma once

#include "core/mesh/mesh_document.h"

namespace koravel::test {

/// A mesh with the sample's place on the earth and no records: north edge
/// 128700″, west edge 502650″, 1.5″ by 2.25″ cells; for placing tracks.
inline MeshDocument SampleGrid() {
  MeshDocument mesh;
  mesh.NELatSeconds = 128700;
  mesh.SWLatSeconds = 128400;
  mesh.SWLonSeconds = 502650;
  mesh.LatStep = 1.5;
  mesh.LonStep = 2.25;
  return mesh;
}

}  // namespace koravel::test
