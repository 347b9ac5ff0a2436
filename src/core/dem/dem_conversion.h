#pragma once

#include <filesystem>
#include <functional>
#include <vector>

#include "core/dem/dem_mosaic.h"
#include "core/export/grid_mosaic_writer.h"

namespace koravel {

/// Reads the model files that `inputs` name into one DemMosaic and writes it
/// to `output` in the format its extension names, flushed to the disk: a
/// GeoTIFF as a cloud-optimised GeoTIFF unless `mosaic` asks for strips, or
/// an ASCII grid with its .prj. Float32 metres as the files give them, -9999
/// for no data, in degrees on the files' own datum (EPSG:6668 or
/// EPSG:4612). The heights wait in a scratch file beside `output` between
/// reading and writing, so memory holds only the tiles around the part of
/// the grid being written. `frame_ready` hears of the frame before anything
/// is written; a frame that `mosaic.Limits` refuse is not written, and the
/// report names the tiles that stretch a sparse one. The report's Error is
/// set when nothing was written. `progress` counts the files read, then the
/// tiles written.
DemInputReport ConvertDem(const std::vector<std::filesystem::path>& inputs, const std::filesystem::path& output,
                          const DemReadOptions& options, const MosaicOptions& mosaic,
                          const std::function<void(const MosaicFrame&)>& frame_ready = {},
                          const ProgressReport& progress = {});

}  // namespace koravel
