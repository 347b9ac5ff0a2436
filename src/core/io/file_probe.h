#pragma once

#include <filesystem>
#include <optional>

#include "core/error_code.h"

namespace koravel {

/// Why `path` cannot be read as a file, if it cannot: a missing file, a
/// missing folder on the way to it, or another failure (a folder, no access).
std::optional<ErrorCode> ProbeReadableFile(const std::filesystem::path& path);

/// True when the file exists and its owner write bit is clear. Checked by the
/// program itself, since root may write to any file.
bool HasReadOnlyAttribute(const std::filesystem::path& path);

}  // namespace koravel
