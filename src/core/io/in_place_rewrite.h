#pragma once

#include <optional>
#include <string>
#include <variant>

#include "core/error_code.h"
#include "core/io/file_descriptor.h"
#include "core/io/unnamed_file.h"

namespace koravel {

/// Rewrites an existing file through its own inode, for when renaming a new
/// file over it would lose something (other hard links, an owner or ACL the
/// user cannot give a new file, a mount on the file, a folder the user may
/// not write). The old bytes are first streamed into a copy named after the
/// file, beside it or in the user's cache folder, and flushed; then the file
/// is emptied for the new bytes. Commit() flushes them and removes the copy;
/// without a successful Commit() the old bytes are put back. The copy stays
/// only when even that fails or the process dies meanwhile.
class InPlaceRewrite {
 public:
  /// `file` is the open target, readable and writable, named `name` in the
  /// open folder `folder`; it must stay open while the object lives.
  static std::variant<InPlaceRewrite, ErrorCode> Begin(int folder, const std::string& name, int file);
  InPlaceRewrite(InPlaceRewrite&& other) noexcept;
  InPlaceRewrite& operator=(InPlaceRewrite&&) = delete;
  ~InPlaceRewrite();

  /// Flushes the new bytes written to the file and removes the copy.
  std::optional<ErrorCode> Commit();

 private:
  InPlaceRewrite(int file, FileDescriptor copy_folder) : file_(file), copy_folder_(std::move(copy_folder)) {}
  std::optional<ErrorCode> KeepCopy(const std::string& name);
  void Restore();
  void RemoveCopy() const;

  int file_;
  FileDescriptor copy_folder_;
  std::optional<UnnamedFile> copy_;
  std::string copy_name_;
  bool settled_ = false;
};

}  // namespace koravel
