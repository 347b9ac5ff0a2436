#include "core/geo/mesh_code.h"

#include <gtest/gtest.h>

namespace koravel {
namespace {

using enum CompassDirection;

TEST(MeshCode, StepsToTheNeighbourCarryingIntoTheFirstLevelAtItsEdges) {
  // mesh, direction, neighbour ("" where there is none)
  const std::tuple<const char*, CompassDirection, const char*> cases[] = {
      {"533945", North, "533955"},     {"533945", East, "533946"},     {"533945", SouthWest, "533934"},
      {"533977", East, "534070"},      {"533977", NorthEast, "544000"}, {"534070", West, "533977"},
      {"534070", NorthWest, "543907"}, {"534070", SouthEast, "534061"}, {"533900", SouthWest, "523877"},
      {"533900", South, "523970"},     {"990777", North, ""},           {"000000", West, ""},
      {"533985", East, ""},            {"53394", East, ""},             {"5339a5", East, ""},
      {"5339455", East, ""},
  };
  for (const auto& [code, direction, neighbour] : cases) {
    EXPECT_EQ(NeighbourMeshCode(code, direction).value_or(""), neighbour)
        << code << " step " << static_cast<int>(direction);
  }
}

}  // namespace
}  // namespace koravel
