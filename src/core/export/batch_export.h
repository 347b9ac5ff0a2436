#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "core/error_code.h"
#include "core/export/mesh_export.h"
#include "core/export/mesh_inputs.h"
#include "core/export/parallel_for_each.h"

namespace koravel {

/// What became of the meshes given to ExportBatch.
struct BatchResult {
  std::size_t Written = 0;
  std::vector<SkippedInput> Skipped;  ///< in the order given
  std::optional<ErrorCode> Error;     ///< the folder or the final flush failed
};

/// Exports each mesh file of `meshes` into `folder` (made if missing) in
/// `format`, named as the mesh with the format's extension, spread over all
/// cores and flushed to the disk once at the end. A file that cannot be read
/// or written is skipped, as is any mesh after the first that would take the
/// same output name. `progress` counts the meshes done.
BatchResult ExportBatch(const PathList& meshes, const std::filesystem::path& folder,
                        ExportFormat format, const ProgressReport& progress = {});

}  // namespace koravel
