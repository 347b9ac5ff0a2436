#include "core/edit/selection_outline.h"

#include <functional>

namespace koravel {
namespace {

bool Chosen(const CellSelection& cells, int x, int y) { return OnGrid(x, y) && cells.Contains({x, y}); }

// Runs along one line of cell borders: `border(line, along)` says whether
// the border at that step of the line separates chosen from unchosen.
void AddRuns(int line, const std::function<bool(int, int)>& border, const std::function<OutlineEdge(int, int, int)>& edge,
             std::vector<OutlineEdge>& edges) {
  for (int along = 1; along <= kMeshSize; ++along) {
    if (!border(line, along)) continue;
    const int start = along;
    while (along < kMeshSize && border(line, along + 1)) ++along;
    edges.push_back(edge(line, start - 1, along));
  }
}

}  // namespace

std::vector<OutlineEdge> SelectionOutline(const CellSelection& cells) {
  std::vector<OutlineEdge> edges;
  if (cells.Empty()) return edges;
  // The border above row y (between rows y - 1 and y), for y from 1 to 201.
  for (int y = 1; y <= kMeshSize + 1; ++y) {
    AddRuns(
        y, [&](int row, int x) { return Chosen(cells, x, row - 1) != Chosen(cells, x, row); },
        [](int row, int from, int to) { return OutlineEdge{from, row - 1, to, row - 1}; }, edges);
  }
  for (int x = 1; x <= kMeshSize + 1; ++x) {
    AddRuns(
        x, [&](int column, int y) { return Chosen(cells, column - 1, y) != Chosen(cells, column, y); },
        [](int column, int from, int to) { return OutlineEdge{column - 1, from, column - 1, to}; }, edges);
  }
  return edges;
}

}  // namespace koravel
