#pragma once

#include <sys/types.h>

#include <filesystem>

namespace koravel {

/// The folder that holds `file`: its parent, or "." for a bare name.
std::filesystem::path FolderOf(const std::filesystem::path& file);

/// True for the mode of a file whose owner write bit is clear: the program's
/// read-only attribute. Checked by the program itself, since root may write
/// to any file.
bool IsReadOnlyMode(mode_t mode);

/// True when the file at `path` exists, is no folder and is read-only by
/// IsReadOnlyMode.
bool HasReadOnlyAttribute(const std::filesystem::path& path);

}  // namespace koravel
