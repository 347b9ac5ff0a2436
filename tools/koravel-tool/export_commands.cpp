#include "export_commands.h"

#include <filesystem>
#include <iostream>

#include "core/export/batch_export.h"
#include "core/export/mosaic.h"
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
  const std::vector<std::filesystem::path> meshes = MeshFilesIn(Paths(inputs, args.end()));
  BatchResult result;
  {
    ProgressBar bar("export");
    result = ExportBatch(meshes, folder, *format, [&bar](std::size_t done, std::size_t total) { bar.Report(done, total); });
  }
  ReportSkipped(result.Skipped);
  if (result.Error) std::cerr << PrintablePath(folder) << ": " << MessageText(*result.Error) << '\n';
  std::cout << "export: " << result.Written << " of " << meshes.size() << " meshes written, "
            << result.Skipped.size() << " skipped\n";
  return result.Error || !result.Skipped.empty() ? kFailure : 0;
}

int RunMosaic(const std::vector<std::string_view>& args) {
  if (args.size() < 2) return kUsageError;
  const std::filesystem::path output(args[0]);
  const std::vector<std::filesystem::path> meshes = MeshFilesIn(Paths(args.begin() + 1, args.end()));
  MosaicResult result;
  {
    ProgressBar bar("mosaic");
    result = WriteMosaic(meshes, output, [&bar](std::size_t done, std::size_t total) { bar.Report(done, total); });
  }
  ReportSkipped(result.LeftOut);
  if (result.Error) std::cerr << PrintablePath(output) << ": " << MessageText(*result.Error) << '\n';
  std::cout << "mosaic: " << result.Placed << " of " << meshes.size() << " meshes placed, " << result.LeftOut.size()
            << " left out\n";
  return result.Error || !result.LeftOut.empty() ? kFailure : 0;
}

}  // namespace koravel
