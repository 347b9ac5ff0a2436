#pragma once

#include <variant>
#include <vector>

#include "core/error_code.h"
#include "core/geo/mesh_georeference.h"
#include "core/mesh/mesh_document.h"

namespace koravel {

/// The heights of contour lines: Base + k × Interval for every whole k.
struct ContourLevels {
  double IntervalMetres = 10;  ///< more than 0
  double BaseMetres = 0;
};

/// One contour line on the mesh's grid.
struct ContourLine {
  double Metres = 0;  ///< the height it follows
  int Index = 0;      ///< its k: Metres = Base + k × Interval
  bool Bold = false;  ///< every fifth line: k a multiple of 5
  bool Closed = false;  ///< a ring; its last point repeats the first
  std::vector<GridPoint> Points;  ///< grid frame (see GridPoint), at least two
};

/// The contour lines of `mesh`, as GDAL's gdal_contour draws them from the
/// mesh's GeoTIFF export: a cell's value stands at its centre; marching
/// squares between four centres, cut along the straight line between two
/// centres; a value equal to a level counts as above it; a square that is a
/// saddle at some level always keeps its north-west and south-east corners'
/// side joined, so that lines of two levels never cross. Where one to three
/// of a square's centres have no data (or lie beyond the edge) only the
/// quarters around the centres with data are drawn, their values spread to
/// the square's mid-edges and centre, so lines reach the edge of the cells
/// with data and stop there. TooManyContourLevels when the mesh's heights
/// span more than 1,000 levels, InvalidContourInterval when the interval
/// is not a positive number.
std::variant<std::vector<ContourLine>, ErrorCode> TraceContours(const MeshDocument& mesh,
                                                                const ContourLevels& levels);

}  // namespace koravel
