#include <gtest/gtest.h>

#include <cmath>

#include "core/scale/hill_shade.h"
#include "core/scale/slope_map.h"
#include "core/scale/terrain_gradient.h"
#include "sample_grid.h"
#include "terrain.h"

namespace koravel {
namespace {

// Lengths from PROJ's geod (echo "LAT1 LON1 LAT2 LON2" | geod +ellps=bessel -I):
// 1" of longitude on the equator, 2.25" of longitude and 1.5" of latitude at
// 35°42'30", the sample mesh's middle.
TEST(BesselArcSecond, IsTheLengthOfASecondOfArcOnTheEllipsoid) {
  EXPECT_NEAR(BesselArcSecond(0).Longitude, 30.918, 1e-3);
  const ArcSecondMetres middle = BesselArcSecond(128550.75);
  EXPECT_NEAR(middle.Longitude * 2.25, 56.552, 1e-3);
  EXPECT_NEAR(middle.Latitude * 1.5, 46.226, 1e-3);
}

// The sample's place, rising 10 m a column eastward: a slope p = 10 / 56.552
// = 0.176828 across cells 56.552 m wide.
MeshDocument EastwardSlope() {
  MeshDocument mesh = test::Terrain([](int x, int) { return 100 * x; });
  const MeshDocument grid = test::SampleGrid();
  mesh.NELatSeconds = grid.NELatSeconds, mesh.SWLatSeconds = grid.SWLatSeconds;
  mesh.SWLonSeconds = grid.SWLonSeconds, mesh.LatStep = grid.LatStep, mesh.LonStep = grid.LonStep;
  mesh.SetElevation(100, 100, kNoData);
  return mesh;
}

// The light on a surface of normal (−p, 0, 1) / √(1 + p²), from azimuth A and
// altitude h: (sin h − p cos h sin A) / √(1 + p²). Several lights weigh 225°,
// 270°, 315° and 360° by sin² of their angle to the aspect (east): ½, 1, ½, 0.
TEST(HillShade, LightsTheSlopeAsGdaldemDoes) {
  const MeshDocument mesh = EastwardSlope();
  const struct {
    ReliefLight light;
    double expected;
  } cases[] = {
      {{270, 45, 1, LightMode::Single}, 0.819431},         // from the west, facing it
      {{90, 45, 1, LightMode::Single}, 0.573178},          // from the east, turned away
      {{270, 45, 2, LightMode::Single}, 0.902409},         // p doubled
      {{90, 45, 1, LightMode::Multidirectional}, 0.801399},  // the azimuth unused
  };
  for (const auto& c : cases) {
    HillShade shade(c.light);
    shade.Compute(mesh);
    EXPECT_NEAR(shade.Illumination(50, 50), c.expected, 1e-4) << c.light.AzimuthDegrees;
  }
  HillShade shade;
  shade.Compute(mesh);
  EXPECT_TRUE(std::isnan(shade.Illumination(100, 100)));
  const RgbColor grey{100, 100, 100};
  EXPECT_EQ(shade.Shade(grey, 100, 100), grey);
  EXPECT_EQ(shade.Shade(grey, 50, 5), shade.Shade(grey, 150, 150)) << "the slope is the same everywhere";
  shade.Compute(test::Terrain([](int, int) { return 500; }));
  EXPECT_EQ(shade.Shade(grey, 50, 50), grey) << "flat ground keeps its colour";
}

TEST(SlopeMap, GivesDegreesAndCountsMissingNeighboursAsLevel) {
  MeshDocument mesh = EastwardSlope();
  SlopeMap slope;
  slope.Compute(mesh);
  EXPECT_NEAR(slope.Degrees(50, 50), 10.02786, 1e-4);  // atan p
  EXPECT_NEAR(slope.Degrees(1, 50), 5.05262, 1e-4);    // atan p/2: the west side stands level
  EXPECT_TRUE(std::isnan(slope.Degrees(100, 100)));
  mesh.SetElevation(100, 100, 10000);
  slope.Update(mesh, 100, 100, 100, 100);
  EXPECT_NEAR(slope.Degrees(100, 100), 10.02786, 1e-4);
  EXPECT_NEAR(slope.Degrees(101, 100), 10.02786, 1e-4);
}

}  // namespace
}  // namespace koravel
