#include "core/edit/cell_store.h"

namespace koravel {

std::optional<OmittedRow> StoreElevation(MeshDocument& mesh, int x, int y, std::int32_t tenths) {
  std::optional<OmittedRow> omitted;
  if (!mesh.IsRowPresent(y)) {
    omitted = OmittedRow{y, mesh.RecordFlag[y], mesh.RecordCount};
    mesh.RecordFlag[y] = 1;
    ++mesh.RecordCount;
  }
  mesh.SetElevation(x, y, tenths);
  return omitted;
}

void RestoreOmittedRow(MeshDocument& mesh, const OmittedRow& row) {
  mesh.RecordFlag[row.row] = row.flag;
  mesh.RecordCount = row.record_count;
}

}  // namespace koravel
