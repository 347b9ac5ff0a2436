#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "core/error_code.h"
#include "core/export/grid_mosaic_writer.h"
#include "core/export/mesh_index.h"
#include "core/export/mosaic_frame.h"
#include "core/export/parallel_for_each.h"
#include "core/export/path_list.h"

namespace koravel {

/// Mesh files placed on one frame, before any grid is read.
struct MosaicPlan {
  MeshIndex Index;
  /// The frame around the meshes placed; none where none could be.
  std::optional<MosaicFrame> Frame;
};

/// Places the mesh files `files` by their headers (read over all cores) on
/// the grid of the first one that reads, as IndexMeshes does, and finds the
/// frame around them. `progress` counts the files read.
MosaicPlan PlanMosaic(const PathList& files, const ProgressReport& progress = {});

/// What became of the meshes of a plan.
struct MosaicResult {
  std::size_t Placed = 0;
  /// The files the plan left out and those that failed to read when their
  /// grids were needed, in the order given.
  std::vector<LeftOutFile> LeftOut;
  std::optional<ErrorCode> Error;  ///< set when no mosaic was written
};

/// Writes the meshes of `plan` (read from `files`, over all cores, each
/// only while the part of the frame it lies in is written) to `output` in
/// the format its extension names, flushed to the disk. Cells that no mesh
/// covers, and omitted records, are no-data; where meshes overlap, the
/// later one's data wins. A frame that the limits refuse is not written
/// (MosaicFrame::Refusal). `progress` counts the meshes read.
MosaicResult WriteMosaic(const MosaicPlan& plan, const PathList& files, const std::filesystem::path& output,
                         const MosaicOptions& options, const ProgressReport& progress = {});

}  // namespace koravel
