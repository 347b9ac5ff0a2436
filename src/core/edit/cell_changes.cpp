#include "core/edit/cell_changes.h"

#include <algorithm>

namespace koravel {

std::optional<CellRect> CellChanges::Bounds() const {
  if (cells_.empty()) return std::nullopt;
  CellRect bounds{cells_.front().x, cells_.front().y, cells_.front().x, cells_.front().y};
  for (const CellChange& change : cells_) {
    bounds.left = std::min<int>(bounds.left, change.x);
    bounds.right = std::max<int>(bounds.right, change.x);
    bounds.top = std::min<int>(bounds.top, change.y);
    bounds.bottom = std::max<int>(bounds.bottom, change.y);
  }
  return bounds;
}

void CellChanges::Append(const CellChanges& later) {
  cells_.insert(cells_.end(), later.cells_.begin(), later.cells_.end());
  rows_.insert(rows_.end(), later.rows_.begin(), later.rows_.end());
}

void CellChanges::Apply(MeshDocument& mesh) const {
  for (const RowPresence& row : rows_) {
    mesh.RecordFlag[row.row] = 1;
    ++mesh.RecordCount;
  }
  for (const CellChange& change : cells_) mesh.SetElevation(change.x, change.y, change.after);
}

// A cell changed twice gets its first value back last. (Reverse iterators
// rather than std::views::reverse, which clang cannot compile against
// libstdc++ 12, and the sanitizer build uses clang.)
void CellChanges::Revert(MeshDocument& mesh) const {
  for (auto change = cells_.rbegin(); change != cells_.rend(); ++change) {
    mesh.SetElevation(change->x, change->y, change->before);
  }
  for (auto row = rows_.rbegin(); row != rows_.rend(); ++row) {
    mesh.RecordFlag[row->row] = row->flag_before;
    --mesh.RecordCount;
  }
}

}  // namespace koravel
