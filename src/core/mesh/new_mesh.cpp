#include "core/mesh/new_mesh.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace koravel {
namespace {

constexpr int kSecondsPerDegree = 3600;
constexpr int kLatitudeSeconds = 300;   // a second-level mesh is 5' high
constexpr int kLongitudeSeconds = 450;  // and 7'30" wide
constexpr int kSubdivisions = 8;
constexpr int kSecondsPerLatitudeCode = 2400;  // a first-level mesh is 40' high
constexpr int kFirstLongitude = 100;           // degrees east at longitude code 00
constexpr std::string_view kIdeographicSpace = "\u3000";

int Digits(std::string_view code, std::size_t first, std::size_t count) {
  return std::stoi(std::string(code.substr(first, count)));
}

// Degrees, minutes and seconds in the widths of the file: "035" "40" "00".
CornerAngle Corner(int seconds) {
  char degrees[8], minutes[4], rest[4];
  std::snprintf(degrees, sizeof degrees, "%03d", seconds / kSecondsPerDegree);
  std::snprintf(minutes, sizeof minutes, "%02d", seconds % kSecondsPerDegree / 60);
  std::snprintf(rest, sizeof rest, "%02d", seconds % 60);
  return {Cp932Text(degrees), Cp932Text(minutes), Cp932Text(rest)};
}

std::string Blanks(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += kIdeographicSpace;
  return text;
}

void SetCorners(MeshDocument& mesh, int south, int west) {
  const int north = south + kLatitudeSeconds, east = west + kLongitudeSeconds;
  mesh.SWLat = Corner(south);
  mesh.SWLon = Corner(west);
  mesh.NELat = Corner(north);
  mesh.NELon = Corner(east);
  mesh.SWLatSeconds = south;
  mesh.SWLonSeconds = west;
  mesh.NELatSeconds = north;
  mesh.NELonSeconds = east;
  mesh.LatStep = static_cast<double>(kLatitudeSeconds) / kMeshSize;
  mesh.LonStep = static_cast<double>(kLongitudeSeconds) / kMeshSize;
}

}  // namespace

bool IsJapaneseMeshCode(std::string_view code) {
  if (code.size() != 6 || !std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return false;
  }
  const int latitude = Digits(code, 0, 2), longitude = Digits(code, 2, 2);
  return latitude >= 30 && latitude <= 68 && longitude >= 22 && longitude <= 53 && code[4] - '0' < kSubdivisions &&
         code[5] - '0' < kSubdivisions;
}

std::optional<MeshDocument> NewMesh(std::string_view code, int year) {
  if (!IsJapaneseMeshCode(code)) return std::nullopt;
  MeshDocument mesh;
  mesh.MeshCode = Cp932Text(std::string(code));
  mesh.MapScale = Cp932Text("    0");
  const std::string years = std::to_string(year);
  mesh.SurveyYear = mesh.RevisionYear = mesh.DigitizeYear = Cp932Text(years);
  mesh.LONPointN = mesh.LATPointN = kMeshSize;
  SetCorners(mesh, Digits(code, 0, 2) * kSecondsPerLatitudeCode + (code[4] - '0') * kLatitudeSeconds,
             (Digits(code, 2, 2) + kFirstLongitude) * kSecondsPerDegree + (code[5] - '0') * kLongitudeSeconds);
  for (Cp932Text& name : mesh.SheetName) name = Cp932Text(Blanks(10));
  mesh.MeshComment = Cp932Text(Blanks(40));
  mesh.RecordCount = kMeshSize;
  for (int y = 1; y <= kMeshSize; ++y) {
    mesh.RecordFlag[y] = 1;
    for (int x = 1; x <= kMeshSize; ++x) mesh.SetElevation(x, y, kNoData);
  }
  // What reading the file would find: nothing above 0, nothing below 9999.
  mesh.MaxElevation = 0;
  mesh.MinElevation = 9999;
  return mesh;
}

}  // namespace koravel
