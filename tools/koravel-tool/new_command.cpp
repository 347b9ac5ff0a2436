#include "new_command.h"

#include <algorithm>
#include <ctime>
#include <iostream>

#include "core/dem/reference_dem.h"
#include "core/mesh/mesh_writer.h"
#include "core/mesh/new_mesh.h"
#include "dem_report.h"
#include "progress_bar.h"

namespace koravel {
namespace {

constexpr int kFailure = 1;
constexpr int kUsageError = 2;

int ThisYear() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local.tm_year + 1900;
}

// Fills the mesh from the model and says how it went.
DemInputReport FillFromDem(MeshDocument& mesh, const std::vector<std::filesystem::path>& inputs,
                           const DemReadOptions& options, const std::filesystem::path& output) {
  DemInputReport report;
  {
    ProgressBar bar("new");
    const auto progress = [&bar](std::size_t done, std::size_t total) { bar.Report(done, total); };
    report = FillMeshFromDem(mesh, inputs, options, progress);
  }
  PrintDemReport(report, output);
  if (report.Error) return report;
  int cells = 0;
  for (int y = 1; y <= kMeshSize; ++y) {
    for (int x = 1; x <= kMeshSize; ++x) cells += mesh.Elevation(x, y) != kNoData;
  }
  std::cout << "new: " << cells << " of " << kMeshSize * kMeshSize << " cells from " << report.Placed << " of "
            << report.Found << " files, " << report.LeftOut.size() << " left out\n";
  return report;
}

}  // namespace

int RunNew(std::vector<std::string_view> args) {
  DemReadOptions options;
  options.SeaAsZero = TakeSeaZero(args);
  const auto from = std::find(args.begin(), args.end(), "--from");
  const bool empty_mesh = from == args.end() && args.size() == 2 && !options.SeaAsZero;
  const bool from_model = args.size() > 3 && from == args.begin() + 2;
  if (!empty_mesh && !from_model) {
    std::cerr << "usage: koravel-tool new CODE OUT.mem [--from INPUT... [--sea-zero]]\n";
    return kUsageError;
  }
  std::optional<MeshDocument> mesh = NewMesh(args[0], ThisYear());
  if (!mesh) {
    std::cerr << args[0] << ": " << MessageText(ErrorCode::InvalidMeshCode) << '\n';
    return kUsageError;
  }
  const std::filesystem::path output(args[1]);
  DemInputReport report;
  if (from_model) report = FillFromDem(*mesh, {from + 1, args.end()}, options, output);
  if (report.Error) return kFailure;
  if (const std::optional<ErrorCode> failure = WriteMeshFile(*mesh, output)) {
    std::cerr << output.string() << ": " << MessageText(*failure) << '\n';
    return kFailure;
  }
  return report.LeftOut.empty() ? 0 : kFailure;
}

}  // namespace koravel
