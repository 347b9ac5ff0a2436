#include "core/export/profile_csv.h"

#include <charconv>
#include <optional>

namespace koravel {
namespace {

constexpr double kSecondsPerDegree = 3600;

void Append(std::string& text, double value, int decimals) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  text.append(buffer, result.ptr);
}

void AppendHeight(std::string& text, std::optional<double> metres) {
  if (metres) Append(text, *metres, 2);
}

}  // namespace

std::string ProfileCsv(const ElevationProfile& profile) {
  std::string text = "distance_m,latitude,longitude,mesh_m,gps_m\n";
  for (const ProfileSample& sample : profile.Samples) {
    Append(text, sample.DistanceMetres, 1);
    text += ',';
    Append(text, sample.Position.Latitude / kSecondsPerDegree, 7);
    text += ',';
    Append(text, sample.Position.Longitude / kSecondsPerDegree, 7);
    text += ',';
    AppendHeight(text, sample.MeshMetres);
    text += ',';
    AppendHeight(text, sample.GpsMetres);
    text += '\n';
  }
  return text;
}

}  // namespace koravel
