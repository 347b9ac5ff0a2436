#include "core/export/mosaic.h"

#include <algorithm>
#include <mutex>

#include "core/export/cog_writer.h"
#include "core/export/export_raster.h"
#include "core/export/grid_mosaic.h"
#include "core/export/mesh_export.h"
#include "core/io/file_probe.h"
#include "core/io/save_file.h"
#include "core/mesh/mesh_reader.h"

namespace koravel {
namespace {

using MeshCells = GridMosaic<std::int32_t>;

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

ExportRaster RowsOf(MeshCells& cells, const MosaicFrame& frame) {
  const int columns = static_cast<int>(frame.Columns);
  return {columns, static_cast<int>(frame.Rows), frame.Edges, [&cells, columns](int row, std::span<std::int32_t> tenths) {
            const CellArea line = {0, row, columns, 1};
            cells.Prepare(line);
            cells.Fill(line, tenths);
            cells.Release(line);
          }};
}

TiledRaster TilesOf(MeshCells& cells, const MosaicFrame& frame) {
  return {static_cast<int>(frame.Columns),
          static_cast<int>(frame.Rows),
          frame.Edges,
          4301,
          [&cells](const CellArea& parts) { cells.Prepare(parts); },
          [&cells](const CellArea& area, std::span<float> metres) {
            std::vector<std::int32_t> tenths(area.CellCount());
            cells.Fill(area, tenths);
            std::transform(tenths.begin(), tenths.end(), metres.begin(), MetresOf);
          },
          [&cells](const CellArea& parts) { cells.Release(parts); }};
}

std::optional<ErrorCode> Write(const MosaicPlan& plan, MeshLoader& loader, const std::filesystem::path& output,
                               ExportFormat format, const MosaicOptions& options, const ProgressReport& progress) {
  const MosaicFrame& frame = *plan.Frame;
  const bool tiled = format == ExportFormat::GeoTiff && options.CloudOptimized;
  MeshCells cells(frame.Areas, kNoData, std::ref(loader), tiled ? kTileSize : static_cast<int>(frame.Columns),
                  tiled ? kTileSize : 1, progress);
  DeferredFlush flush;
  std::optional<ErrorCode> failure;
  if (tiled) {
    const TiledRaster raster = TilesOf(cells, frame);
    failure = WriteFile(
        output,
        [&](int descriptor) {
          return WriteCloudOptimizedGeoTiff(descriptor, raster, options.Compression, FolderOf(output));
        },
        &flush);
  } else {
    failure = WriteRaster(RowsOf(cells, frame), output, format, &flush);
  }
  return failure ? failure : flush.Flush();
}

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
  result.Error = Write(plan, loader, output, *format, options, progress);
  result.LeftOut.insert(result.LeftOut.end(), loader.Failed().begin(), loader.Failed().end());
  std::sort(result.LeftOut.begin(), result.LeftOut.end(),
            [](const LeftOutFile& a, const LeftOutFile& b) { return a.File < b.File; });
  if (!result.Error) result.Placed = plan.Index.Meshes.size() - loader.Failed().size();
  return result;
}

}  // namespace koravel
