#include "core/edit/cell_selection.h"

#include <algorithm>

namespace koravel {

CellSelection CellSelection::All() { return Rectangle({1, 1}, {kMeshSize, kMeshSize}); }

CellSelection CellSelection::Rectangle(GridCell corner, GridCell opposite) {
  CellSelection selection;
  const int left = std::max(1, std::min(corner.x, opposite.x));
  const int right = std::min(kMeshSize, std::max(corner.x, opposite.x));
  const int top = std::max(1, std::min(corner.y, opposite.y));
  const int bottom = std::min(kMeshSize, std::max(corner.y, opposite.y));
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) selection.Add({x, y});
  }
  return selection;
}

bool CellSelection::Contains(GridCell cell) const {
  if (!OnGrid(cell.x, cell.y)) return false;
  return (words_[WordIndex(cell.y, (cell.x - 1) / 64)] >> ((cell.x - 1) % 64)) & 1;
}

void CellSelection::Add(GridCell cell) {
  if (!OnGrid(cell.x, cell.y)) return;
  words_[WordIndex(cell.y, (cell.x - 1) / 64)] |= std::uint64_t{1} << ((cell.x - 1) % 64);
}

void CellSelection::Remove(GridCell cell) {
  if (!OnGrid(cell.x, cell.y)) return;
  words_[WordIndex(cell.y, (cell.x - 1) / 64)] &= ~(std::uint64_t{1} << ((cell.x - 1) % 64));
}

void CellSelection::Add(const CellSelection& other) {
  for (std::size_t i = 0; i < words_.size(); ++i) words_[i] |= other.words_[i];
}

void CellSelection::Remove(const CellSelection& other) {
  for (std::size_t i = 0; i < words_.size(); ++i) words_[i] &= ~other.words_[i];
}

int CellSelection::Count() const {
  int count = 0;
  for (std::uint64_t word : words_) count += std::popcount(word);
  return count;
}

// Scanning the bits costs a few microseconds, less than keeping a box
// right through removals would.
std::optional<CellRect> CellSelection::Bounds() const {
  std::optional<CellRect> bounds;
  ForEachCell([&bounds](GridCell cell) {
    if (!bounds) {
      bounds = CellRect{cell.x, cell.y, cell.x, cell.y};
      return;
    }
    bounds->left = std::min(bounds->left, cell.x);
    bounds->right = std::max(bounds->right, cell.x);
    bounds->bottom = cell.y;
  });
  return bounds;
}

}  // namespace koravel
