#pragma once

#include <cstdint>
#include <optional>

#include "core/mesh/mesh_document.h"

namespace koravel {

/// An omitted row as it stood before a value made it present: its flag and
/// the header's record count.
struct OmittedRow {
  int row;
  std::int16_t flag;
  std::int16_t record_count;
};

/// Stores `tenths` in cell (x, y) of the mesh. A row the file omits has no
/// record to hold the value, so storing into it makes the row present, its
/// other cells without data (as an omitted row's cells always are), and the
/// header counts one record more; the row as it stood is returned then.
std::optional<OmittedRow> StoreElevation(MeshDocument& mesh, int x, int y, std::int32_t tenths);

/// Omits `row` again as it stood before StoreElevation made it present.
/// Its cells must hold no data again before.
void RestoreOmittedRow(MeshDocument& mesh, const OmittedRow& row);

}  // namespace koravel
