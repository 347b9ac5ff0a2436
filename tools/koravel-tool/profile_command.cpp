#include "profile_command.h"

#include <charconv>
#include <iostream>
#include <string>

#include "core/analysis/profile_summary.h"
#include "core/export/profile_csv.h"
#include "core/tracks/track_reader.h"
#include "file_messages.h"
#include "option_values.h"

namespace koravel {
namespace {

constexpr int kFailure = 1;
constexpr int kUsageError = 2;
constexpr double kSecondsPerDegree = 3600;

struct ProfileArguments {
  std::string mesh;
  std::string track;
  ProfileOptions options;
  bool summary = false;
};

std::optional<ProfileArguments> ParseArguments(const std::vector<std::string_view>& args) {
  ProfileArguments parsed;
  std::vector<std::string_view> files;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--summary") {
      parsed.summary = true;
    } else if (args[i] == "--step") {
      parsed.options.StepMetres = i + 1 < args.size() ? NumberOption(args[++i]).value_or(0) : 0;
      if (!(parsed.options.StepMetres > 0)) return std::nullopt;
    } else if (args[i].starts_with("--")) {
      return std::nullopt;
    } else {
      files.push_back(args[i]);
    }
  }
  if (files.size() != 2) return std::nullopt;
  parsed.mesh = files[0];
  parsed.track = files[1];
  return parsed;
}

std::string Fixed(double value, int decimals) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
  return std::string(text, result.ptr);
}

std::string Place(const ElevationProfile& profile, std::optional<std::size_t> index) {
  if (!index) return "none";
  const ProfileSample& sample = profile.Samples[*index];
  return Fixed(*sample.MeshMetres, 2) + " at " + Fixed(sample.DistanceMetres, 1) + " m (" +
         Fixed(sample.Position.Latitude / kSecondsPerDegree, 7) + " " +
         Fixed(sample.Position.Longitude / kSecondsPerDegree, 7) + ")";
}

void PrintSummary(const ElevationProfile& profile) {
  const ProfileSummary summary = Summarize(profile);
  std::cout << "length_m: " << Fixed(summary.LengthMetres, 1) << '\n'
            << "lowest_m: " << Place(profile, summary.Lowest) << '\n'
            << "highest_m: " << Place(profile, summary.Highest) << '\n'
            << "ascent_m: " << Fixed(summary.AscentMetres, 1) << '\n'
            << "descent_m: " << Fixed(summary.DescentMetres, 1) << '\n'
            << "ascent_10m_steps_m: " << Fixed(summary.SteadyAscentMetres, 1) << '\n'
            << "descent_10m_steps_m: " << Fixed(summary.SteadyDescentMetres, 1) << '\n'
            << "gps_minus_mesh_m: "
            << (summary.MeanGpsMinusMeshMetres ? Fixed(*summary.MeanGpsMinusMeshMetres, 2) : "none") << '\n';
}

}  // namespace

int RunProfile(const std::vector<std::string_view>& args) {
  const std::optional<ProfileArguments> parsed = ParseArguments(args);
  if (!parsed) return kUsageError;
  const std::optional<MeshDocument> mesh = ReadMeshPrintingMessages(parsed->mesh);
  if (!mesh) return kFailure;
  TrackSet tracks;
  const TrackReadResult read = ReadTrackFile(parsed->track, *mesh, tracks);
  PrintWarnings(parsed->track, read.warnings);
  // Only a track read to its end, or to a full set, is a whole line.
  if (!read.draw) return FailOn(parsed->track, read.error.value_or(ErrorCode::NotTrackFile));
  const std::variant<ElevationProfile, ErrorCode> profile =
      BuildProfile(*mesh, tracks.Points(), parsed->options);
  if (const ErrorCode* error = std::get_if<ErrorCode>(&profile)) return FailOn(parsed->track, *error);
  if (parsed->summary) {
    PrintSummary(std::get<ElevationProfile>(profile));
  } else {
    std::cout << ProfileCsv(std::get<ElevationProfile>(profile));
  }
  return read.error ? FailOn(parsed->track, *read.error) : 0;
}

}  // namespace koravel
