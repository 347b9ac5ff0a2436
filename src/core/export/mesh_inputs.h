#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/error_code.h"

namespace koravel {

/// The mesh files that command-line inputs name: a folder stands for the
/// .mem files in it and in its subfolders (any case of the extension, in
/// name order); anything else is taken as it is, to be read and reported.
std::vector<std::filesystem::path> MeshFilesIn(const std::vector<std::filesystem::path>& inputs);

/// The same for files whose extensions, in lower case with the dot, are
/// among `extensions`.
std::vector<std::filesystem::path> FilesIn(const std::vector<std::filesystem::path>& inputs,
                                           const std::vector<std::string>& extensions);

/// The extension of `path` in lower case, with its dot.
std::string LowerCaseExtension(const std::filesystem::path& path);

/// An input left out of a mosaic or a batch, and why.
struct SkippedInput {
  std::filesystem::path Path;
  ErrorCode Reason;
};

}  // namespace koravel
