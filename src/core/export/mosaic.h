#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "core/error_code.h"
#include "core/export/mesh_inputs.h"
#include "core/export/parallel_for_each.h"

namespace koravel {

/// What became of the meshes given to WriteMosaic.
struct MosaicResult {
  std::size_t Placed = 0;
  std::vector<SkippedInput> LeftOut;  ///< in the order given
  std::optional<ErrorCode> Error;     ///< set when no mosaic was written
};

/// Reads the mesh files `meshes` (over all cores), places them by their
/// corners on the grid of the first one that reads, and writes the result
/// to `output` in the format its extension names, flushed to the disk. Cells
/// that no mesh covers, and omitted records, are no-data; where meshes
/// overlap, the later one's data wins. A mesh whose steps differ from the
/// first's, or that lies off its grid, is left out, as is a file that
/// cannot be read. `progress` counts the meshes read.
MosaicResult WriteMosaic(const std::vector<std::filesystem::path>& meshes, const std::filesystem::path& output,
                         const ProgressReport& progress = {});

}  // namespace koravel
