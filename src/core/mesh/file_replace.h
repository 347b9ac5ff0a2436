#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "error_code.h"

namespace koravel {

/// Replaces the contents of the file at `path` (creating it if need be) so
/// that a failure leaves the old file as it was: the bytes go to a temporary
/// file in the same folder, reach the disk, and are renamed over the target,
/// which keeps its permissions. A target with the read-only attribute or a
/// folder is refused before anything is written.
std::optional<ErrorCode> ReplaceFileContents(const std::filesystem::path& path,
                                             std::string_view contents);

}  // namespace koravel
