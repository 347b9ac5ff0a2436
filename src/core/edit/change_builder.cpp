#include "core/edit/change_builder.h"

namespace koravel {

void ChangeBuilder::Store(GridCell cell, std::int32_t tenths) {
  const std::int32_t before = mesh_.Elevation(cell.x, cell.y);
  if (before == tenths) return;
  if (mesh_.RecordFlag[cell.y] != 1 && !made_present_[cell.y]) MakeRowPresent(cell.y);
  changes_.cells_.push_back({static_cast<std::int16_t>(cell.x), static_cast<std::int16_t>(cell.y), before, tenths});
}

void ChangeBuilder::MakeRowPresent(int row) {
  made_present_[row] = true;
  changes_.rows_.push_back({static_cast<std::int16_t>(row), mesh_.RecordFlag[row]});
  for (int x = 1; x <= kMeshSize; ++x) {
    const std::int32_t value = mesh_.Elevation(x, row);
    if (value != kNoData) changes_.cells_.push_back({static_cast<std::int16_t>(x), static_cast<std::int16_t>(row), value, kNoData});
  }
}

}  // namespace koravel
