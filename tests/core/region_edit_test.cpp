#include <gtest/gtest.h>

#include "core/analysis/extreme_cells.h"
#include "core/edit/brush.h"
#include "core/edit/region_operations.h"
#include "core/edit/selection_outline.h"
#include "core/edit/selection_shapes.h"
#include "core/edit/value_block.h"
#include "terrain.h"

namespace koravel {
namespace {

MeshDocument Flat(std::int32_t tenths) {
  return test::Terrain([tenths](int, int) { return tenths; });
}

TEST(OffsetHeights, RefusesTheWholeEditWhenOneResultLeavesTheRange) {
  // start, offset, the result or nothing when refused
  const std::tuple<std::int32_t, std::int32_t, std::optional<std::int32_t>> cases[] = {
      {99990, 9, 99999}, {99990, 10, std::nullopt}, {-9990, -8, -9998}, {-9990, -9, std::nullopt}, {5, -10, -5},
  };
  for (const auto& [start, offset, result] : cases) {
    MeshDocument mesh = Flat(100);
    mesh.SetElevation(2, 1, start);
    mesh.SetElevation(3, 1, kNoData);
    const auto edit = OffsetHeights(mesh, CellSelection::Rectangle({1, 1}, {3, 1}), offset);
    if (!result) {
      ASSERT_TRUE(std::holds_alternative<ErrorCode>(edit)) << start << offset;
      EXPECT_EQ(MessageText(std::get<ErrorCode>(edit)), "標高は-999.9m～9999.9mの範囲で入力して下さい。");
      continue;
    }
    std::get<CellChanges>(edit).Apply(mesh);
    EXPECT_EQ(std::tuple(mesh.Elevation(1, 1), mesh.Elevation(2, 1), mesh.Elevation(3, 1)),
              std::tuple(100 + offset, *result, kNoData)) << start << offset;
  }
  EXPECT_TRUE(std::holds_alternative<ErrorCode>(SetHeight(Flat(0), CellSelection::All(), 100000)));
}

TEST(CellChanges, AValueInAnOmittedRowMakesTheRowPresentAndUndoOmitsItAgain) {
  MeshDocument mesh = Flat(100);
  for (int x = 1; x <= kMeshSize; ++x) mesh.SetElevation(x, 5, kNoData);
  mesh.RecordFlag[5] = 2;
  mesh.RecordCount = 199;
  const CellSelection block = CellSelection::Rectangle({3, 4}, {4, 6});
  EXPECT_TRUE(SetNoData(mesh, CellSelection::Rectangle({1, 5}, {9, 5})).Empty()) << "no-data leaves the row omitted";

  const CellChanges changes = std::get<CellChanges>(SetHeight(mesh, block, 100));
  EXPECT_EQ(changes.Cells().size(), 2u) << "only the two cells of row 5 change";
  changes.Apply(mesh);
  EXPECT_EQ(std::tuple(mesh.RecordFlag[5], mesh.RecordCount, mesh.Elevation(3, 5), mesh.Elevation(5, 5)),
            std::tuple(1, 200, 100, kNoData));
  changes.Revert(mesh);
  EXPECT_EQ(std::tuple(mesh.RecordFlag[5], mesh.RecordCount, mesh.Elevation(3, 5), mesh.Elevation(3, 4)),
            std::tuple(2, 199, kNoData, 100));
}

TEST(SmoothHeights, TakesTheMeanOfTheCellsWithDataAroundEachChosenCell) {
  // passes, a neighbour without data, the centre's height afterwards
  const std::tuple<int, bool, std::int32_t> cases[] = {
      {1, false, 200},  // (8 × 100 + 1000) / 9
      {1, true, 212},   // (7 × 100 + 1000) / 8 = 212.5, to even
      {2, false, 122},  // (7 × 100 + 200 + 200) / 9: the chosen neighbour took 200 too
  };
  for (const auto& [passes, gap, expected] : cases) {
    MeshDocument mesh = Flat(100);
    mesh.SetElevation(10, 10, 1000);
    if (gap) mesh.SetElevation(11, 11, kNoData);
    CellSelection chosen = CellSelection::Rectangle({10, 10}, {10, 10});
    chosen.Add({11, 11});
    SmoothHeights(mesh, chosen, passes).Apply(mesh);
    EXPECT_EQ(mesh.Elevation(10, 10), expected) << passes << gap;
    EXPECT_EQ(mesh.Elevation(11, 11) == kNoData, gap);
  }
}

TEST(RestoreValues, BringsBackTheOriginalCellsAndListsOnlyThoseThatDiffer) {
  const MeshDocument original = Flat(100);
  MeshDocument mesh = original;
  mesh.SetElevation(2, 2, 555);
  mesh.SetElevation(9, 9, 777);
  const CellChanges changes = RestoreValues(mesh, CellSelection::Rectangle({1, 1}, {5, 5}), original);
  ASSERT_EQ(changes.Cells().size(), 1u);
  changes.Apply(mesh);
  EXPECT_EQ(std::tuple(mesh.Elevation(2, 2), mesh.Elevation(9, 9)), std::tuple(100, 777));
}

TEST(Brush, SquaresClipToTheMeshAndLinesLeaveNoGaps) {
  EXPECT_EQ(BrushCells({1, 1}, BrushSize::Three).size(), 4u);
  EXPECT_EQ(BrushCells({100, 100}, BrushSize::Fifteen).size(), 225u);
  EXPECT_EQ(BrushCells({200, 100}, BrushSize::Nine).size(), 45u);
  EXPECT_EQ(BrushStroke({10, 10}, {20, 10}, BrushSize::Three).Count(), 39);
  for (const auto& [from, to] : {std::pair<GridCell, GridCell>{{1, 1}, {5, 3}}, {{40, 7}, {3, 30}}, {{6, 6}, {6, 6}}}) {
    const std::vector<GridCell> line = LineCells(from, to);
    EXPECT_EQ(std::tuple(line.front(), line.back(), std::ssize(line)),
              std::tuple(from, to, std::max(std::abs(to.x - from.x), std::abs(to.y - from.y)) + 1));
    for (std::size_t i = 1; i < line.size(); ++i) {
      EXPECT_LE(std::max(std::abs(line[i].x - line[i - 1].x), std::abs(line[i].y - line[i - 1].y)), 1);
    }
  }
}

TEST(Selections, RectanglesPolygonsAndValuesChooseTheCellsTheyCover) {
  const CellSelection corner = CellSelection::Rectangle({2, 3}, {-5, -5});
  EXPECT_EQ(std::tuple(corner.Count(), *corner.Bounds()), std::tuple(6, CellRect{1, 1, 2, 3}));
  // Centres (x − 0.5, y − 0.5) below the side x + y = 4: 3, 2 and 1 cells.
  EXPECT_EQ(PolygonSelection({{0, 0}, {4, 0}, {0, 4}}).Count(), 6);
  CellSelection ring = PolygonSelection({{0, 0}, {6, 0}, {6, 6}, {0, 6}});
  ring.Remove(CellSelection::Rectangle({2, 2}, {5, 5}));
  EXPECT_EQ(std::tuple(ring.Count(), ring.Contains({1, 6}), ring.Contains({3, 3})), std::tuple(20, true, false));

  MeshDocument mesh = Flat(100);
  for (int y = 1; y <= kMeshSize; ++y) mesh.SetElevation(50, y, 5000);  // a wall parts the mesh
  ValueCriterion low{false, 50, 150, std::nullopt};
  EXPECT_EQ(ValueSelection(mesh, low).Count(), 199 * 200);
  low.connected_to = GridCell{60, 1};
  EXPECT_EQ(ValueSelection(mesh, low).Count(), 150 * 200);
  low.connected_to = GridCell{50, 1};
  EXPECT_TRUE(ValueSelection(mesh, low).Empty());
  mesh.SetElevation(7, 7, kNoData);
  EXPECT_EQ(ValueSelection(mesh, {true, 0, 0, GridCell{7, 7}}).Count(), 1);
}

TEST(ValuesText, CopiesAsTabbedMetresAndPastesWhatSpreadsheetsGive) {
  MeshDocument mesh = Flat(0);
  mesh.SetElevation(1, 1, 123);
  mesh.SetElevation(2, 1, kNoData);
  mesh.SetElevation(1, 2, 5);
  mesh.SetElevation(2, 2, -30);
  CellSelection diagonal = CellSelection::Rectangle({1, 1}, {1, 1});
  diagonal.Add({2, 2});
  EXPECT_EQ(ValuesText(mesh, diagonal), "12.3\t\n0.5\t-3\n");

  const auto pasted = ParseValuesText("１２．５\t \r\n\t-7 \r\n8\r\n");
  ASSERT_TRUE(std::holds_alternative<ValueBlock>(pasted));
  const std::vector<std::vector<std::int32_t>> rows = {{125, kNoData}, {kNoData, -70}, {80}};
  EXPECT_EQ(std::get<ValueBlock>(pasted).rows, rows);
  PasteValues(mesh, std::get<ValueBlock>(pasted), {199, 198}).Apply(mesh);
  EXPECT_EQ(std::tuple(mesh.Elevation(199, 198), mesh.Elevation(200, 199), mesh.Elevation(199, 200)),
            std::tuple(125, -70, 80));

  const std::pair<const char*, ErrorCode> refused[] = {{"1,234", ErrorCode::NotElevationText},
                                                       {"12\tabc", ErrorCode::NotElevationText},
                                                       {"1\n10000", ErrorCode::ElevationOutOfRange}};
  for (const auto& [text, error] : refused) EXPECT_EQ(std::get<ErrorCode>(ParseValuesText(text)), error) << text;
}

// Corners count in cells from the north-west corner of cell (1, 1).
TEST(SelectionOutline, BordersTheChosenCellsAlongTheirOuterEdges) {
  CellSelection l_shape = CellSelection::Rectangle({3, 3}, {4, 4});
  l_shape.Add(GridCell{3, 5});
  const std::pair<CellSelection, std::vector<OutlineEdge>> cases[] = {
      {CellSelection::Rectangle({1, 1}, {1, 1}), {{0, 0, 1, 0}, {0, 1, 1, 1}, {0, 0, 0, 1}, {1, 0, 1, 1}}},
      {l_shape, {{2, 2, 4, 2}, {3, 4, 4, 4}, {2, 5, 3, 5}, {2, 2, 2, 5}, {3, 4, 3, 5}, {4, 2, 4, 4}}},
      {CellSelection::All(), {{0, 0, 200, 0}, {0, 200, 200, 200}, {0, 0, 0, 200}, {200, 0, 200, 200}}},
      {CellSelection(), {}},
  };
  for (const auto& [cells, edges] : cases) EXPECT_EQ(SelectionOutline(cells), edges) << cells.Count();
}

TEST(ExtremeCells, FindTheFirstHighestAndLowestCellWithData) {
  MeshDocument mesh = Flat(100);
  mesh.SetElevation(7, 2, 900);
  mesh.SetElevation(9, 8, 900);
  mesh.SetElevation(4, 6, -50);
  mesh.SetElevation(5, 5, kNoData);
  mesh.RecordFlag[3] = 0;
  mesh.SetElevation(1, 3, -900);  // in an omitted row, which holds nothing
  EXPECT_EQ(HighestCell(mesh), (GridCell{7, 2}));
  EXPECT_EQ(LowestCell(mesh), (GridCell{4, 6}));
  EXPECT_EQ(HighestCell(Flat(kNoData)), std::nullopt);
}

}  // namespace
}  // namespace koravel
