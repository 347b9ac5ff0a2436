#include "mosaic_options.h"

#include <algorithm>
#include <cstdio>
#include <iostream>

#include "printable_path.h"

namespace koravel {
namespace {

constexpr double kSecondsPerDegree = 3600.0;

// To a millionth of a degree, without trailing zeros: 35.666667, 139.625.
std::string Degrees(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6f", seconds / kSecondsPerDegree);
  std::string degrees = text;
  degrees.erase(degrees.find_last_not_of('0') + 1);
  if (degrees.back() == '.') degrees.pop_back();
  return degrees;
}

}  // namespace

bool TakeFlag(std::vector<std::string_view>& args, std::string_view flag) {
  const auto found = std::find(args.begin(), args.end(), flag);
  if (found == args.end()) return false;
  args.erase(found);
  return true;
}

std::optional<MosaicOptions> TakeMosaicOptions(std::vector<std::string_view>& args) {
  MosaicOptions options;
  options.CloudOptimized = !TakeFlag(args, "--no-cog");
  options.Limits.AllowSparse = TakeFlag(args, "--allow-sparse");
  options.Limits.AllowLarge = TakeFlag(args, "--allow-large");
  const auto compress = std::find(args.begin(), args.end(), "--compress");
  if (compress == args.end()) return options;
  if (compress + 1 == args.end() || (compress[1] != "deflate" && compress[1] != "zstd")) return std::nullopt;
  options.Compression = compress[1] == "zstd" ? TileCompression::Zstd : TileCompression::Deflate;
  args.erase(compress, compress + 2);
  return options;
}

void PrintFrame(std::string_view command, const MosaicFrame& frame) {
  const MeshGeoreference& edges = frame.Edges;
  const double east = edges.WestLongitude + double(frame.Columns) * edges.LongitudeStep;
  char covered[32];
  std::snprintf(covered, sizeof covered, "%.3g%%", 100 * frame.CoveredShare);
  std::cerr << command << ": " << frame.Columns << " x " << frame.Rows << " cells, " << Degrees(edges.SouthLatitude)
            << " to " << Degrees(edges.NorthLatitude) << " N, " << Degrees(edges.WestLongitude) << " to "
            << Degrees(east) << " E, " << covered << " covered\n";
}

std::string FrameLabel(std::string_view command, const MosaicFrame& frame) {
  return std::string(command) + " " + std::to_string(frame.Columns) + " x " + std::to_string(frame.Rows);
}

void PrintRefusal(const std::filesystem::path& output, ErrorCode refusal, const std::vector<std::size_t>& stretching,
                  const std::function<std::string(std::size_t)>& name) {
  std::cerr << PrintablePath(output) << ": " << MessageText(refusal) << '\n';
  if (refusal != ErrorCode::FrameTooSparse) return;
  for (const std::size_t grid : stretching) std::cerr << "  " << PrintablePath(name(grid)) << '\n';
}

}  // namespace koravel
