#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/mesh/grid_cell.h"
#include "core/mesh/mesh_document.h"

namespace koravel {

/// One cell's value before and after an edit, in tenths of a metre.
struct CellChange {
  std::int16_t x;  ///< column, 1..200 from the west
  std::int16_t y;  ///< row, 1..200 from the north
  std::int32_t before;
  std::int32_t after;
};

/// A row that an edit made present, with the record flag it had before.
struct RowPresence {
  std::int16_t row;
  std::int16_t flag_before;
};

/// What one edit does to a document: the cells it changes, in the order it
/// changes them, and the omitted rows it makes present (a value stored in an
/// omitted row puts the row in the file, its other cells without data).
/// Holds only what changes, so an undo step costs memory in proportion to
/// the cells it changed.
class CellChanges {
 public:
  const std::vector<CellChange>& Cells() const { return cells_; }
  const std::vector<RowPresence>& RowsMadePresent() const { return rows_; }
  bool Empty() const { return cells_.empty() && rows_.empty(); }
  /// The smallest rectangle holding every changed cell; nothing when none.
  std::optional<CellRect> Bounds() const;

  /// Adds the changes of an edit made after these, as one brush stroke
  /// gathers its moves into one undo step.
  void Append(const CellChanges& later);

  /// Makes the edit (again): rows present, each counted in RecordCount, then
  /// the new values.
  void Apply(MeshDocument& mesh) const;
  /// Takes the edit back: the old values in reverse order, then each row
  /// omitted again with its old flag.
  void Revert(MeshDocument& mesh) const;

 private:
  friend class ChangeBuilder;

  std::vector<CellChange> cells_;
  std::vector<RowPresence> rows_;
};

}  // namespace koravel
