#include "core/export/grid_mosaic.h"

#include <algorithm>
#include <numeric>

namespace koravel {
namespace {

int FloorDivide(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

template <typename Cell>
GridMosaic<Cell>::GridMosaic(std::vector<CellArea> areas, Cell no_data, Loader load, int part_columns,
                             int part_rows, ProgressReport progress)
    : areas_(std::move(areas)),
      by_row_(areas_.size()),
      no_data_(no_data),
      load_(std::move(load)),
      part_columns_(part_columns),
      part_rows_(part_rows),
      progress_(std::move(progress)),
      states_(areas_.size(), State::Unread),
      parts_left_(areas_.size()),
      cells_(areas_.size()) {
  std::iota(by_row_.begin(), by_row_.end(), 0);
  std::stable_sort(by_row_.begin(), by_row_.end(),
                   [this](std::size_t a, std::size_t b) { return areas_[a].Row < areas_[b].Row; });
  for (std::size_t i = 0; i < areas_.size(); ++i) {
    tallest_ = std::max(tallest_, areas_[i].Rows);
    parts_left_[i] = PartsTouched(areas_[i], areas_[i]);
  }
}

// The parts of the frame's partition that both areas touch.
template <typename Cell>
int GridMosaic<Cell>::PartsTouched(const CellArea& grid, const CellArea& parts) const {
  const CellArea both = grid.Intersection(parts);
  if (both.Columns == 0 || both.Rows == 0) return 0;
  const int columns = FloorDivide(both.EndColumn() - 1, part_columns_) - FloorDivide(both.Column, part_columns_) + 1;
  const int rows = FloorDivide(both.EndRow() - 1, part_rows_) - FloorDivide(both.Row, part_rows_) + 1;
  return columns * rows;
}

// The grids that overlap `area`, in input order.
template <typename Cell>
std::vector<std::size_t> GridMosaic<Cell>::Touching(const CellArea& area) const {
  const auto first = std::lower_bound(by_row_.begin(), by_row_.end(), area.Row - tallest_ + 1,
                                      [this](std::size_t grid, int row) { return areas_[grid].Row < row; });
  std::vector<std::size_t> touching;
  for (auto it = first; it != by_row_.end() && areas_[*it].Row < area.EndRow(); ++it) {
    if (areas_[*it].Overlaps(area)) touching.push_back(*it);
  }
  std::sort(touching.begin(), touching.end());
  return touching;
}

template <typename Cell>
void GridMosaic<Cell>::Prepare(const CellArea& parts) {
  std::vector<std::size_t> unread;
  for (const std::size_t grid : Touching(parts)) {
    if (states_[grid] == State::Unread) unread.push_back(grid);
  }
  if (unread.empty()) return;
  ForEachInParallel(unread.size(), [this, &unread](std::size_t i) {
    std::optional<std::vector<Cell>> cells = load_(unread[i]);
    if (cells) cells_[unread[i]] = std::move(*cells);
  });
  for (const std::size_t grid : unread) {
    states_[grid] = cells_[grid].empty() ? State::Gone : State::Held;
    if (progress_) progress_(++read_, areas_.size());
  }
}

template <typename Cell>
void GridMosaic<Cell>::Fill(const CellArea& area, std::span<Cell> cells) const {
  std::fill(cells.begin(), cells.end(), no_data_);
  for (const std::size_t grid : Touching(area)) {
    if (states_[grid] == State::Held) CopyInto(grid, area, cells);
  }
}

// Where a later grid has no data, the earlier grid's cell stays.
template <typename Cell>
void GridMosaic<Cell>::CopyInto(std::size_t grid, const CellArea& area, std::span<Cell> cells) const {
  const CellArea& placed = areas_[grid];
  const CellArea both = placed.Intersection(area);
  const std::vector<Cell>& source = cells_[grid];
  for (int row = both.Row; row < both.EndRow(); ++row) {
    const Cell* from = source.data() + static_cast<std::ptrdiff_t>(row - placed.Row) * placed.Columns +
                       (both.Column - placed.Column);
    Cell* to = cells.data() + static_cast<std::ptrdiff_t>(row - area.Row) * area.Columns + (both.Column - area.Column);
    for (int column = 0; column < both.Columns; ++column) {
      if (from[column] != no_data_) to[column] = from[column];
    }
  }
}

template <typename Cell>
void GridMosaic<Cell>::Release(const CellArea& parts) {
  for (const std::size_t grid : Touching(parts)) {
    parts_left_[grid] -= PartsTouched(areas_[grid], parts);
    if (parts_left_[grid] > 0 || states_[grid] != State::Held) continue;
    states_[grid] = State::Gone;
    std::vector<Cell>().swap(cells_[grid]);
  }
}

template class GridMosaic<std::int32_t>;
template class GridMosaic<float>;

}  // namespace koravel
