#include "core/analysis/contour_tracer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "terrain.h"

namespace koravel {
namespace {

std::vector<ContourLine> Trace(const MeshDocument& mesh, double interval, double base) {
  return std::get<std::vector<ContourLine>>(TraceContours(mesh, {interval, base}));
}

std::vector<const ContourLine*> AtLevel(const std::vector<ContourLine>& lines, double metres) {
  std::vector<const ContourLine*> found;
  for (const ContourLine& line : lines) {
    if (line.Metres == metres) found.push_back(&line);
  }
  return found;
}

bool Near(GridPoint a, GridPoint b) { return std::abs(a.X - b.X) < 1e-9 && std::abs(a.Y - b.Y) < 1e-9; }

// Whether one of `lines` runs straight from `from` to `to`.
bool HasSegment(const std::vector<const ContourLine*>& lines, GridPoint from, GridPoint to) {
  for (const ContourLine* line : lines) {
    for (std::size_t i = 1; i < line->Points.size(); ++i) {
      const GridPoint a = line->Points[i - 1], b = line->Points[i];
      if ((Near(a, from) && Near(b, to)) || (Near(a, to) && Near(b, from))) return true;
    }
  }
  return false;
}

// Cell (x, y) at 10 x metres: a centre at grid X = x − 0.5, so level
// 10 x + 5 crosses at X = x, from the north edge to the south edge.
TEST(ContourTracer, DrawsEachLevelBetweenCentresAcrossTheWholeMesh) {
  const std::vector<ContourLine> lines = Trace(test::Terrain([](int x, int) { return 100 * x; }), 10, 5);
  EXPECT_EQ(lines.size(), 199u);  // 15 m to 1,995 m
  const std::vector<const ContourLine*> level = AtLevel(lines, 55);
  ASSERT_EQ(level.size(), 1u);
  EXPECT_EQ(level[0]->Index, 5);
  EXPECT_TRUE(level[0]->Bold);
  EXPECT_FALSE(AtLevel(lines, 65)[0]->Bold);
  EXPECT_FALSE(level[0]->Closed);
  for (const GridPoint& point : level[0]->Points) EXPECT_NEAR(point.X, 5, 1e-9);
  const auto [top, bottom] = std::minmax_element(level[0]->Points.begin(), level[0]->Points.end(),
                                                 [](GridPoint a, GridPoint b) { return a.Y < b.Y; });
  EXPECT_EQ(top->Y, 0);
  EXPECT_EQ(bottom->Y, 200);
}

TEST(ContourTracer, StopsLinesAtTheEdgeOfCellsWithoutData) {
  MeshDocument mesh = test::Terrain([](int x, int y) { return y == 100 ? kNoData : 100 * x; });
  const std::vector<ContourLine> lines = Trace(mesh, 10, 5);
  const std::vector<const ContourLine*> level = AtLevel(lines, 55);
  ASSERT_EQ(level.size(), 2u);
  for (const ContourLine* line : level) {
    const double ends[] = {line->Points.front().Y, line->Points.back().Y};
    EXPECT_TRUE((std::min(ends[0], ends[1]) == 0 && std::max(ends[0], ends[1]) == 99) ||
                (std::min(ends[0], ends[1]) == 100 && std::max(ends[0], ends[1]) == 200));
  }
}

// Centres at 30 m north-west and south-east, 10 m north-east and
// south-west: a saddle at 15 m and 25 m. Both levels cut off the north-east
// and south-west corners, the higher one nearer the centre, so they never
// cross.
TEST(ContourTracer, CutsOffTheSameCornersOfASaddleAtEveryLevel) {
  const MeshDocument mesh = test::Terrain([](int x, int y) {
    if (x < 10 || x > 11 || y < 10 || y > 11) return kNoData;
    return (x == y) ? 300 : 100;
  });
  const std::vector<ContourLine> lines = Trace(mesh, 10, 5);
  const std::vector<const ContourLine*> low = AtLevel(lines, 15), high = AtLevel(lines, 25);
  ASSERT_EQ(low.size(), 2u);
  ASSERT_EQ(high.size(), 2u);
  EXPECT_TRUE(HasSegment(low, {10.25, 9.5}, {10.5, 9.75}));
  EXPECT_TRUE(HasSegment(low, {9.5, 10.25}, {9.75, 10.5}));
  EXPECT_TRUE(HasSegment(high, {9.75, 9.5}, {10.5, 10.25}));
  EXPECT_TRUE(HasSegment(high, {9.5, 9.75}, {10.25, 10.5}));
}

TEST(ContourTracer, ClosesARingAroundAPeak) {
  const std::vector<ContourLine> lines =
      Trace(test::Terrain([](int x, int y) { return x == 50 && y == 50 ? 1000 : 0; }), 50, 0);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_TRUE(lines[0].Closed);
  EXPECT_TRUE(Near(lines[0].Points.front(), lines[0].Points.back()));
  // Halfway between the peak's centre (49.5, 49.5) and each neighbour's.
  EXPECT_TRUE(HasSegment(AtLevel(lines, 50), {49.5, 49}, {49, 49.5}) ||
              HasSegment(AtLevel(lines, 50), {49.5, 49}, {50, 49.5}));
}

TEST(ContourTracer, RefusesIntervalsItCannotDraw) {
  const MeshDocument slope = test::Terrain([](int x, int) { return 100 * x; });
  EXPECT_EQ(std::get<ErrorCode>(TraceContours(slope, {0, 0})), ErrorCode::InvalidContourInterval);
  EXPECT_EQ(std::get<ErrorCode>(TraceContours(slope, {-5, 0})), ErrorCode::InvalidContourInterval);
  EXPECT_EQ(std::get<ErrorCode>(TraceContours(slope, {1, 0})), ErrorCode::TooManyContourLevels);  // 1,990 levels
  EXPECT_TRUE(Trace(test::Terrain([](int, int) { return kNoData; }), 1, 0).empty());
}

}  // namespace
}  // namespace koravel
