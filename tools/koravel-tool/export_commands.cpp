#include "export_commands.h"

#include <filesystem>
#include <iostream>

#include "core/export/batch_export.h"
#include "core/export/mosaic.h"
#include "mosaic_options.h"
#include "printable_path.h"
#include "progress_bar.h"

namespace koravel {
namespace {

constexpr int kFailure = 1;
constexpr int kUsageError = 2;

std::vector<std::filesystem::path> Paths(std::vector<std::string_view>::const_iterator begin,
                                         std::vector<std::string_view>::const_iterator end) {
  return std::vector<std::filesystem::path>(begin, end);
}

void ReportSkipped(const std::vector<SkippedInput>& skipped) {
  for (const SkippedInput& input : skipped) {
    std::cerr << PrintablePath(input.Path) << ": " << MessageText(input.Reason) << '\n';
  }
}

std::optional<ExportFormat> FormatNamed(std::string_view name) {
  if (name == "asc") return ExportFormat::AsciiGrid;
  if (name == "tif") return ExportFormat::GeoTiff;
  return std::nullopt;
}

// Names what was left out and why nothing was written, if it was not; the
// summary line last.
int ReportMosaic(const std::filesystem::path& output, const InputFiles& inputs, const MosaicPlan& plan,
                 const MosaicResult& result) {
  ReportSkipped(inputs.Unreadable);
  for (const LeftOutFile& left : result.LeftOut) {
    std::cerr << PrintablePath(inputs.Files[left.File]) << ": " << MessageText(left.Reason) << '\n';
  }
  if (result.Error) {
    PrintRefusal(output, *result.Error, plan.Frame ? plan.Frame->Stretching : std::vector<std::size_t>(),
                 [&](std::size_t mesh) { return inputs.Files[plan.Index.Meshes[mesh].File].string(); });
  }
  const std::size_t left_out = result.LeftOut.size() + inputs.Unreadable.size();
  std::cout << "mosaic: " << result.Placed << " of " << inputs.Files.Size() << " meshes placed, " << left_out
            << " left out\n";
  return result.Error || left_out > 0 ? kFailure : 0;
}

}  // namespace

int RunBatchExport(const std::vector<std::string_view>& args) {
  if (args.size() < 3 || args[0] != "--to") return kUsageError;
  const std::filesystem::path folder(args[1]);
  auto inputs = args.begin() + 2;
  std::optional<ExportFormat> format = ExportFormat::AsciiGrid;
  if (*inputs == "--format") {
    if (args.size() < 5) return kUsageError;
    format = FormatNamed(inputs[1]);
    inputs += 2;
  }
  if (!format) return kUsageError;
  const InputFiles meshes = MeshFilesIn(Paths(inputs, args.end()));
  BatchResult result;
  {
    ProgressBar bar("export");
    result = ExportBatch(meshes.Files, folder, *format,
                         [&bar](std::size_t done, std::size_t total) { bar.Report(done, total); });
  }
  ReportSkipped(meshes.Unreadable);
  ReportSkipped(result.Skipped);
  if (result.Error) std::cerr << PrintablePath(folder) << ": " << MessageText(*result.Error) << '\n';
  const std::size_t skipped = result.Skipped.size() + meshes.Unreadable.size();
  std::cout << "export: " << result.Written << " of " << meshes.Files.Size() << " meshes written, " << skipped
            << " skipped\n";
  return result.Error || skipped > 0 ? kFailure : 0;
}

int RunMosaic(std::vector<std::string_view> args) {
  const std::optional<MosaicOptions> options = TakeMosaicOptions(args);
  if (!options || args.size() < 2) return kUsageError;
  const std::filesystem::path output(args[0]);
  const InputFiles inputs = MeshFilesIn(Paths(args.begin() + 1, args.end()));
  MosaicPlan plan;
  {
    ProgressBar bar("mosaic");
    plan = PlanMosaic(inputs.Files, [&bar](std::size_t done, std::size_t total) { bar.Report(done, total); });
  }
  if (plan.Frame) PrintFrame("mosaic", *plan.Frame);
  MosaicResult result;
  {
    ProgressBar bar(plan.Frame ? FrameLabel("mosaic", *plan.Frame) : "mosaic");
    result = WriteMosaic(plan, inputs.Files, output, *options,
                         [&bar](std::size_t done, std::size_t total) { bar.Report(done, total); });
  }
  return ReportMosaic(output, inputs, plan, result);
}

}  // namespace koravel
