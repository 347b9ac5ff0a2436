#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "core/error_code.h"

namespace koravel {

/// Replaces the contents of the file at `path` (creating it if need be) so
/// that a failure leaves the old file as it was and the file keeps its owner,
/// group, mode, ACL, extended attributes and hard links. The bytes go to an
/// unnamed file in the same folder, reach the disk, and are renamed over the
/// target; where a rename would lose something, the target is rewritten in
/// place with a copy of its old bytes kept until the new ones are on the
/// disk. A symbolic link is followed to the file it names, which is created
/// if missing. A folder, device or pipe, a file with the read-only attribute
/// and a file this user may not write are refused before anything is
/// written; a failed flush, also of the folder, is a failed save.
std::optional<ErrorCode> ReplaceFileContents(const std::filesystem::path& path,
                                             std::string_view contents);

}  // namespace koravel
