#include "core/export/batch_export.h"

#include <algorithm>
#include <set>
#include <thread>

#include "core/mesh/mesh_reader.h"

namespace koravel {
namespace {

std::optional<ErrorCode> ExportOne(DeferredFlush& flush, const std::filesystem::path& mesh,
                                   const std::filesystem::path& output, ExportFormat format) {
  const MeshReadResult reading = ReadMeshFile(mesh);
  if (!reading.document) return reading.error.value_or(ErrorCode::FileError);
  return WriteRaster(ExportRaster::Of(*reading.document), output, format, &flush);
}

// Each output's path; empty where an earlier mesh already takes the name.
std::vector<std::filesystem::path> OutputPaths(const std::vector<std::filesystem::path>& meshes,
                                               const std::filesystem::path& folder, ExportFormat format) {
  std::vector<std::filesystem::path> outputs;
  std::set<std::filesystem::path> taken;
  for (const std::filesystem::path& mesh : meshes) {
    std::filesystem::path output = folder / mesh.filename().replace_extension(ExtensionOf(format));
    outputs.push_back(taken.insert(output).second ? output : std::filesystem::path());
  }
  return outputs;
}

// Replacing a file waits on the file system's journal about as long as
// making it takes, so twice as many threads as cores keep the cores busy.
std::size_t WorkerThreads() { return 2 * std::max(1u, std::thread::hardware_concurrency()); }

}  // namespace

BatchResult ExportBatch(const std::vector<std::filesystem::path>& meshes, const std::filesystem::path& folder,
                        ExportFormat format, const ProgressReport& progress) {
  BatchResult result;
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    result.Error = ErrorCode::InvalidPathOrNotWritable;
    return result;
  }
  const std::vector<std::filesystem::path> outputs = OutputPaths(meshes, folder, format);
  std::vector<std::optional<ErrorCode>> failures(meshes.size());
  const std::jthread loading = LoadWriterLibraries(format);
  DeferredFlush flush;
  ForEachInParallel(
      meshes.size(),
      [&](std::size_t i) {
        failures[i] = outputs[i].empty() ? ErrorCode::DuplicateOutputName
                                         : ExportOne(flush, meshes[i], outputs[i], format);
      },
      progress, WorkerThreads());
  for (std::size_t i = 0; i < meshes.size(); ++i) {
    if (failures[i]) result.Skipped.push_back({meshes[i], *failures[i]});
  }
  result.Written = meshes.size() - result.Skipped.size();
  result.Error = flush.Flush();
  return result;
}

}  // namespace koravel
