#include "dem_command.h"

#include <iostream>

#include "core/dem/dem_conversion.h"
#include "dem_report.h"
#include "progress_bar.h"

namespace koravel {
namespace {

constexpr int kFailure = 1;
constexpr int kUsageError = 2;

}  // namespace

int RunDem(std::vector<std::string_view> args) {
  DemReadOptions options;
  options.SeaAsZero = TakeSeaZero(args);
  if (args.size() < 2) return kUsageError;
  const std::filesystem::path output(args[0]);
  const std::vector<std::filesystem::path> inputs(args.begin() + 1, args.end());
  DemInputReport report;
  {
    ProgressBar bar("dem");
    const auto progress = [&bar](std::size_t done, std::size_t total) { bar.Report(done, total); };
    report = ConvertDem(inputs, output, options, progress);
  }
  PrintDemReport(report, output);
  std::cout << "dem: " << report.Placed << " of " << report.Found << " files placed, " << report.LeftOut.size()
            << " left out\n";
  return report.Error || !report.LeftOut.empty() ? kFailure : 0;
}

}  // namespace koravel
