#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/error_code.h"
#include "core/io/file_descriptor.h"

namespace koravel {

/// Rewrites a file through its own inode, for when renaming a new file over
/// it would lose something (other hard links, an owner or ACL the user cannot
/// give a new file, a mount on the file). The old bytes wait in a copy, named
/// after the file, until the new ones are on the disk, and are put back if
/// writing fails; the copy stays only when even that fails or the process
/// dies meanwhile.
class InPlaceWriter {
 public:
  /// `target` is an existing regular file, not a symbolic link.
  explicit InPlaceWriter(std::filesystem::path target) : target_(std::move(target)) {}

  std::optional<ErrorCode> Write(std::string_view contents);

 private:
  std::optional<ErrorCode> KeepCopy(std::string_view old_contents);
  FileDescriptor OpenCopyFolder() const;
  void RemoveCopy() const;

  std::filesystem::path target_;
  FileDescriptor copy_folder_;
  std::string copy_name_;
};

}  // namespace koravel
