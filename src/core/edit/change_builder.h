#pragma once

#include <array>
#include <cstdint>

#include "core/edit/cell_changes.h"

namespace koravel {

/// Gathers the new values of one edit against a document as it stands, and
/// keeps only those that differ. The document itself is not touched: the
/// caller applies the finished CellChanges (an undo command does it on redo).
class ChangeBuilder {
 public:
  explicit ChangeBuilder(const MeshDocument& mesh) : mesh_(mesh) {}

  /// Records `tenths` for `cell`, a cell of the grid. In a row that is
  /// omitted, a value other than no-data makes the row present and any other
  /// cell of it that holds something else no-data.
  void Store(GridCell cell, std::int32_t tenths);

  CellChanges Finish() && { return std::move(changes_); }

 private:
  void MakeRowPresent(int row);

  const MeshDocument& mesh_;
  CellChanges changes_;
  std::array<bool, kMeshSize + 1> made_present_{};
};

}  // namespace koravel
