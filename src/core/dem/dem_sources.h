#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/dem/fgd_dem_reader.h"
#include "core/dem/zip_archive.h"
#include "core/export/mesh_inputs.h"

namespace koravel {

/// One file of the newer elevation model among the inputs: a file on disk,
/// or a member of a zip archive.
struct DemSource {
  /// The file's path, with an archive's members after it:
  /// "download.zip/FG-GML-5238-74-DEM5A.zip/FG-GML-5238-74-00-DEM5A-20161001.xml".
  std::string Name;
  std::filesystem::path File;  ///< on disk, unless Entry is set
  ZipOrigin Archive;           ///< the archive it is in, when Entry is set
  std::optional<std::uint64_t> Entry;

  /// Reads the tile. Files that are not regular files are refused; a member
  /// that fails to inflate is a BrokenArchive.
  DemReadResult Read(const DemReadOptions& options) const;
};

/// Hands `visit` the elevation model files that `inputs` name, in input
/// order, in batches whose files may be read in parallel: XML files
/// themselves; folders, searched with their subfolders for .xml and .zip
/// files; and zip archives with the archives inside them. An archive inside
/// another is held in memory only while it is visited. Inputs and archives
/// that cannot be read are added to `skipped` where they are met.
void VisitDemSources(const std::vector<std::filesystem::path>& inputs,
                     const std::function<void(const std::vector<DemSource>&)>& visit,
                     std::vector<SkippedInput>& skipped);

}  // namespace koravel
