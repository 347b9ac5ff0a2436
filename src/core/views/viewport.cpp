#include "core/views/viewport.h"

#include <algorithm>
#include <cmath>

#include "core/mesh/mesh_document.h"
#include "core/views/map_geometry.h"
#include "core/views/pointer_cell.h"

namespace koravel {
namespace {

// The design's picture leaves this strip free right of and below its 50 × 50
// cells; every size keeps it, so the design size shows exactly those cells.
constexpr int kFreeWidth = 55;
constexpr int kFreeHeight = 95;

int WholeCells(int room, double cell) {
  // A hair of tolerance so that an exact fit is not lost to rounding.
  return std::clamp(static_cast<int>(std::floor(room / cell + 1e-9)), 1, kMeshSize);
}

// At the design's geometry the free strip stays free; any wider room is
// filled with the cells that follow, cut at the edge.
int VisibleCells(int room, double cell, int whole, int free) {
  if (room - whole * cell <= free + 1e-9) return whole;
  return std::clamp(static_cast<int>(std::ceil(room / cell - 1e-9)), whole, kMeshSize);
}

}  // namespace

void Viewport::SetSize(int width, int height) {
  width_ = width;
  height_ = height;
  SetZoom(zoom_);
}

void Viewport::SetZoom(double zoom) { zoom_ = std::clamp(zoom, MinZoom(), kMaxZoom); }

double Viewport::MinZoom() const {
  const double fit = std::min(double(width_ - kFreeWidth) / (kMeshSize * kDetailCellWidth),
                              double(height_ - kFreeHeight) / (kMeshSize * kDetailCellHeight));
  return std::clamp(fit, 0.01, 1.0);
}

double Viewport::CellWidth() const { return kDetailCellWidth * zoom_; }
double Viewport::CellHeight() const { return kDetailCellHeight * zoom_; }

int Viewport::Columns() const { return WholeCells(width_ - kFreeWidth, CellWidth()); }
int Viewport::Rows() const { return WholeCells(height_ - kFreeHeight, CellHeight()); }

int Viewport::VisibleColumns() const { return VisibleCells(width_, CellWidth(), Columns(), kFreeWidth); }
int Viewport::VisibleRows() const { return VisibleCells(height_, CellHeight(), Rows(), kFreeHeight); }

int Viewport::LastStartColumn() const { return kMeshSize - Columns() + 1; }
int Viewport::LastStartRow() const { return kMeshSize - Rows() + 1; }

std::pair<int, int> Viewport::CellAt(double x, double y) const {
  return ViewCellAtPointer(x, y, CellWidth(), CellHeight());
}

}  // namespace koravel
