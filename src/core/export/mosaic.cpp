#include "core/export/mosaic.h"

#include <algorithm>
#include <mutex>

#include "core/export/mesh_export.h"
#include "core/mesh/mesh_reader.h"

namespace koravel {
namespace {

constexpr int kTokyoEpsg = 4301;

// Reads the grids of the plan's meshes, noting those that fail.
class MeshLoader {
 public:
  MeshLoader(const MosaicPlan& plan, const PathList& files) : plan_(plan), files_(files) {}

  std::optional<std::vector<std::int32_t>> operator()(std::size_t mesh) {
    const std::size_t file = plan_.Index.Meshes[mesh].File;
    const MeshReadResult read = ReadMeshFile(files_[file]);
    if (!read.document) {
      const std::lock_guard lock(mutex_);
      failed_.push_back({file, read.error.value_or(ErrorCode::FileError)});
      return std::nullopt;
    }
    std::vector<std::int32_t> tenths;
    tenths.reserve(static_cast<std::size_t>(kMeshSize) * kMeshSize);
    for (int y = 1; y <= kMeshSize; ++y) {
      for (int x = 1; x <= kMeshSize; ++x) tenths.push_back(read.document->Elevation(x, y));
    }
    return tenths;
  }

  const std::vector<LeftOutFile>& Failed() const { return failed_; }

 private:
  const MosaicPlan& plan_;
  const PathList& files_;
  std::mutex mutex_;
  std::vector<LeftOutFile> failed_;
};

}  // namespace

MosaicPlan PlanMosaic(const PathList& files, const ProgressReport& progress) {
  MosaicPlan plan;
  plan.Index = IndexMeshes(files, progress);
  if (plan.Index.Meshes.empty()) return plan;
  std::vector<GridPosition> positions;
  positions.reserve(plan.Index.Meshes.size());
  for (const IndexedMesh& mesh : plan.Index.Meshes) positions.push_back(mesh.Position);
  plan.Frame = FrameAround(positions, *plan.Index.First);
  return plan;
}

MosaicResult WriteMosaic(const MosaicPlan& plan, const PathList& files, const std::filesystem::path& output,
                         const MosaicOptions& options, const ProgressReport& progress) {
  MosaicResult result;
  result.LeftOut = plan.Index.LeftOut;
  const std::optional<ExportFormat> format = ExportFormatOf(output);
  if (!format) {
    result.Error = ErrorCode::UnsupportedExportFormat;
  } else if (!plan.Frame) {
    result.Error = ErrorCode::NoMeshToPlace;
  } else {
    result.Error = plan.Frame->Refusal(*format == ExportFormat::AsciiGrid, options.Limits);
  }
  if (result.Error) return result;
  const std::jthread loading = LoadWriterLibraries(*format);
  MeshLoader loader(plan, files);
  result.Error = WriteGridMosaic<std::int32_t>(*plan.Frame, kTokyoEpsg, std::ref(loader), output, *format, options,
                                               progress);
  result.LeftOut.insert(result.LeftOut.end(), loader.Failed().begin(), loader.Failed().end());
  std::sort(result.LeftOut.begin(), result.LeftOut.end(),
            [](const LeftOutFile& a, const LeftOutFile& b) { return a.File < b.File; });
  if (!result.Error) result.Placed = plan.Index.Meshes.size() - loader.Failed().size();
  return result;
}

}  // namespace koravel
