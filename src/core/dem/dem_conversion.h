#pragma once

#include <filesystem>
#include <vector>

#include "core/dem/dem_mosaic.h"

namespace koravel {

/// Reads the model files that `inputs` name into one DemMosaic and writes it
/// to `output` in the format its extension names (a GeoTIFF, or an ASCII
/// grid with its .prj), flushed to the disk: Float32 metres as the files
/// give them, -9999 for no data, in degrees on the files' own datum
/// (EPSG:6668 or EPSG:4612). The report's Error is set when nothing was
/// written.
DemInputReport ConvertDem(const std::vector<std::filesystem::path>& inputs, const std::filesystem::path& output,
                          const DemReadOptions& options, const ProgressReport& progress = {});

}  // namespace koravel
