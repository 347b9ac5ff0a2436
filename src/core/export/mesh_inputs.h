#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/error_code.h"
#include "core/export/path_list.h"

namespace koravel {

/// An input left out of a mosaic or a batch, and why.
struct SkippedInput {
  std::filesystem::path Path;
  ErrorCode Reason;
};

/// The files that command-line inputs name, and the folders (or entries of
/// them) that could not be read, each named with its reason: a folder that
/// cannot be listed is FolderUnreadable, and the scan goes on with the
/// others.
struct InputFiles {
  PathList Files;
  std::vector<SkippedInput> Unreadable;
};

/// The mesh files that command-line inputs name: a folder stands for the
/// .mem files in it and in its subfolders (any case of the extension, in
/// name order; links to folders are not followed); anything else is taken
/// as it is, to be read and reported.
InputFiles MeshFilesIn(const std::vector<std::filesystem::path>& inputs);

/// The same for files whose extensions, in lower case with the dot, are
/// among `extensions`.
InputFiles FilesIn(const std::vector<std::filesystem::path>& inputs, const std::vector<std::string>& extensions);

/// The extension of `path` in lower case, with its dot.
std::string LowerCaseExtension(const std::filesystem::path& path);

}  // namespace koravel
