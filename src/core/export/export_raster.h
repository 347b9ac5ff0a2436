#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "core/geo/mesh_georeference.h"
#include "core/mesh/mesh_document.h"

namespace koravel {

/// A grid of elevations on the Tokyo datum as the export writers take it:
/// its size, its edges and steps, and its rows, handed out one at a time so
/// that a mosaic never has to be held whole.
struct ExportRaster {
  int Columns = 0;
  int Rows = 0;
  /// South, west and north edges and the cell size, in arc-seconds.
  MeshGeoreference Frame;
  /// Fills `tenths` (Columns values, west to east, tenths of a metre, kNoData
  /// for cells without data) with row `row`, 0 at the north edge.
  std::function<void(int row, std::span<std::int32_t> tenths)> FillRow;
  /// The EPSG code of the geographic system the frame is on: 4301 (Tokyo)
  /// for meshes, 4612 or 6668 (JGD2000, JGD2011) for the newer models.
  int Epsg = 4301;
  /// When set, the rows come from here instead, in metres (Float32 heights of
  /// the newer models, -9999 for no data), and are written as they are.
  std::function<void(int row, std::span<float> metres)> FillMetres = nullptr;

  /// The 200 × 200 grid of one mesh, read from `mesh` while the raster is used.
  static ExportRaster Of(const MeshDocument& mesh);
};

}  // namespace koravel
