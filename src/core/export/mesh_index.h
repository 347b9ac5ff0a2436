#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "core/error_code.h"
#include "core/export/mosaic_frame.h"
#include "core/export/parallel_for_each.h"
#include "core/export/path_list.h"
#include "core/geo/mesh_georeference.h"

namespace koravel {

/// A mesh file placed on the grid of the first: its index in the list of
/// files, and where it lies.
struct IndexedMesh {
  std::size_t File = 0;
  GridPosition Position;
};

/// A file left out, by its index in the list of files, and why.
struct LeftOutFile {
  std::size_t File = 0;
  ErrorCode Reason = ErrorCode::FileError;
};

/// Mesh files placed by their headers alone: a few dozen bytes each, so a
/// million files cost megabytes; the grids are read only when written.
struct MeshIndex {
  std::vector<IndexedMesh> Meshes;    ///< in the order given
  std::vector<LeftOutFile> LeftOut;   ///< in the order given
  std::optional<MeshGeoreference> First;  ///< the first mesh that reads, whose grid all share
};

/// Reads the header of each of `files` (over all cores) and places each
/// mesh on the grid of the first one that reads. A file that cannot be read
/// or is no mesh, a mesh whose steps differ from the first's
/// (MeshStepsDiffer), and one off its grid (MeshOffGrid) are left out.
/// `progress` counts the files read.
MeshIndex IndexMeshes(const PathList& files, const ProgressReport& progress = {});

}  // namespace koravel
