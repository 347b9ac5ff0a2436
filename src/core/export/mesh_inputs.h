#pragma once

#include <filesystem>
#include <vector>

#include "core/error_code.h"

namespace koravel {

/// The mesh files that command-line inputs name: a folder stands for the
/// .mem files in it and in its subfolders (any case of the extension, in
/// name order); anything else is taken as it is, to be read and reported.
std::vector<std::filesystem::path> MeshFilesIn(const std::vector<std::filesystem::path>& inputs);

/// An input left out of a mosaic or a batch, and why.
struct SkippedInput {
  std::filesystem::path Path;
  ErrorCode Reason;
};

}  // namespace koravel
