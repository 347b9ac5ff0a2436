#include "core/analysis/elevation_profile.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/analysis/profile_summary.h"
#include "core/analysis/surface_height.h"
#include "core/geo/path_measure.h"
#include "sample_grid.h"
#include "terrain.h"

namespace koravel {
namespace {

// The sample's place with cell (x, y) at 10 x metres: the surface rises
// 10 m a cell eastward, so its height at grid X is 10 (X + 0.5) m.
MeshDocument EastwardSlope() {
  MeshDocument mesh = test::Terrain([](int x, int) { return 100 * x; });
  const MeshDocument grid = test::SampleGrid();
  mesh.NELatSeconds = grid.NELatSeconds, mesh.SWLatSeconds = grid.SWLatSeconds;
  mesh.SWLonSeconds = grid.SWLonSeconds, mesh.LatStep = grid.LatStep, mesh.LonStep = grid.LonStep;
  return mesh;
}

TEST(BilinearHeight, InterpolatesBetweenCentresAndGivesNothingNextToMissingCells) {
  MeshDocument mesh = test::Terrain([](int x, int y) { return 100 * x + 1000 * y; });  // 10 m east, 100 m south
  mesh.SetElevation(50, 50, kNoData);
  const std::pair<GridPoint, std::optional<double>> cases[] = {
      {{0.5, 0.5}, 110},          // the centre of cell (1, 1)
      {{1.0, 0.75}, 140},         // halfway east, a quarter south
      {{199.5, 199.5}, 22000},    // the last centre still has its four
      {{0.25, 10}, std::nullopt},  // the outer half cell of the west edge
      {{10, 200.1}, std::nullopt},
      {{49.2, 48.8}, std::nullopt},  // (50, 50) is one of the four
      {{48.4, 48.6}, 5399},          // next to it, beyond its reach
  };
  for (const auto& [point, metres] : cases) {
    EXPECT_NEAR(BilinearHeight(mesh, point).value_or(-1), metres.value_or(-1), 1e-9) << point.X << "," << point.Y;
  }
}

// Lengths from PROJ's geod: echo "LAT1 LON1 LAT2 LON2" | geod +ellps=bessel -I +units=m
TEST(MeasurePath, GivesGeodesicLegsOnBesselAndTheAreaTheyClose) {
  const GeographicPoint corner{35 * 3600 + 40 * 60, 139 * 3600 + 37 * 60 + 30}, opposite{35.75 * 3600, 139.75 * 3600},
      south_east{corner.Latitude, opposite.Longitude};
  const PathMeasure path = std::get<PathMeasure>(MeasurePath(std::vector{corner, opposite, south_east}));
  ASSERT_EQ(path.LegMetres.size(), 2u);
  EXPECT_NEAR(path.LegMetres[0], 14608.195, 1e-3);
  EXPECT_NEAR(path.LegMetres[1], 9245.153, 1e-3);
  EXPECT_NEAR(path.TotalMetres, 14608.195 + 9245.153, 2e-3);

  // One cell at 35°42'30": 46.226 m by 56.552 m (geod), either way round.
  const GeographicPoint a{128550, 502875}, b{128551.5, 502875}, c{128551.5, 502877.25}, d{128550, 502877.25};
  EXPECT_NEAR(std::get<PathMeasure>(MeasurePath(std::vector{a, b, c, d})).AreaSquareMetres, 46.226 * 56.552, 0.05);
  EXPECT_NEAR(std::get<PathMeasure>(MeasurePath(std::vector{d, c, b, a})).AreaSquareMetres, 46.226 * 56.552, 0.05);
  EXPECT_EQ(std::get<PathMeasure>(MeasurePath(std::vector{a, b})).AreaSquareMetres, 0);
}

// Points along the row through the centres at grid Y 100.5 (35°42'29.25"),
// where 4.5" of longitude are 113.105 m (geod).
TrackPoint OnRow(const MeshDocument& mesh, double x, std::optional<double> gps = std::nullopt) {
  return {MeshGeoreference::Of(mesh).ToGeographic({x, 100.5}), gps};
}

TEST(ElevationProfile, SamplesEveryPointAndEveryStepBetweenOverTheMesh) {
  const MeshDocument mesh = EastwardSlope();
  TrackPoints line;
  line.Append(OnRow(mesh, 10.5, 100), true);
  line.Append(OnRow(mesh, 12.5, 200), false);
  line.Append(OnRow(mesh, -20), true);  // a stray fix 1,131 m off the west edge
  line.Append(OnRow(mesh, 0.5), false);
  const ElevationProfile profile = std::get<ElevationProfile>(BuildProfile(mesh, line, {}));
  ASSERT_EQ(profile.Samples.size(), 7u);
  EXPECT_EQ(profile.PieceStarts, (std::vector<std::size_t>{0, 4}));
  const double length = 113.105;
  const struct {
    double distance, mesh;
    std::optional<double> gps;
  } expected[] = {{0, 110, 100.0},
                  {50, 110 + 20 * 50 / length, 100 + 100 * 50 / length},
                  {100, 110 + 20 * 100 / length, 100 + 100 * 100 / length},
                  {length, 130, 200.0}};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_NEAR(profile.Samples[i].DistanceMetres, expected[i].distance, 1e-3) << i;
    EXPECT_NEAR(*profile.Samples[i].MeshMetres, expected[i].mesh, 1e-3) << i;
    EXPECT_NEAR(*profile.Samples[i].GpsMetres, *expected[i].gps, 1e-3) << i;
  }
  // Off the mesh only the points; over it the step at 1,150 m.
  EXPECT_FALSE(profile.Samples[4].MeshMetres || profile.Samples[5].MeshMetres || profile.Samples[5].GpsMetres);
  EXPECT_EQ(profile.Samples[5].DistanceMetres, 1150);
  EXPECT_NEAR(profile.Samples[6].DistanceMetres, 1159.326, 1e-3);
  EXPECT_NEAR(*profile.Samples[6].MeshMetres, 10, 1e-9);

  const ElevationProfile joined =
      std::get<ElevationProfile>(BuildProfile(mesh, line, {.StepMetres = 0, .Joined = true}));
  EXPECT_EQ(joined.PieceStarts, std::vector<std::size_t>{0});
  ASSERT_EQ(joined.Samples.size(), 4u);
  EXPECT_NEAR(joined.Samples[3].DistanceMetres - joined.Samples[2].DistanceMetres, 1159.326, 1e-3);
}

ElevationProfile Profile(std::vector<std::size_t> starts, std::vector<std::optional<double>> mesh,
                         std::vector<std::optional<double>> gps) {
  ElevationProfile profile{{}, std::move(starts)};
  for (std::size_t i = 0; i < mesh.size(); ++i) profile.Samples.push_back({10.0 * i, {}, mesh[i], gps[i]});
  return profile;
}

TEST(ProfileSummary, CountsClimbsPerPieceAndOnlySwingsOfTheThresholdWhenSteady) {
  const auto none = std::nullopt;
  // Piece one: 0 → 25 → 20 → 40 → (no height) → 0; piece two: 3 → 8 → 4.
  const ProfileSummary summary = Summarize(Profile({0, 6}, {0, 25, 20, 40, none, 0, 3, 8, 4},
                                                   {2, none, 21, none, none, none, none, none, 10}));
  EXPECT_DOUBLE_EQ(summary.LengthMetres, 50 + 80);
  EXPECT_EQ(summary.Lowest, 0u);
  EXPECT_EQ(summary.Highest, 3u);
  EXPECT_DOUBLE_EQ(summary.AscentMetres, 25 + 20 + 5);
  EXPECT_DOUBLE_EQ(summary.DescentMetres, 5 + 40 + 4);
  EXPECT_DOUBLE_EQ(summary.SteadyAscentMetres, 40);
  EXPECT_DOUBLE_EQ(summary.SteadyDescentMetres, 40);
  EXPECT_DOUBLE_EQ(*summary.MeanGpsMinusMeshMetres, (2 + 1 + 6) / 3.0);
  EXPECT_FALSE(Summarize(Profile({0}, {none}, {5})).Lowest);
}

}  // namespace
}  // namespace koravel
