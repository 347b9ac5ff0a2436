#pragma once

#include <utility>
#include <vector>

namespace koravel {

/// The cells a straight stroke from cell `from` to cell `to` passes over,
/// each (column, row), from `from` to `to` inclusive, every cell touching
/// the next at a side or a corner: a quick stroke leaves no gaps.
std::vector<std::pair<int, int>> CellsOnLine(std::pair<int, int> from, std::pair<int, int> to);

}  // namespace koravel
