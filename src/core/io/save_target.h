#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <variant>

#include "core/error_code.h"
#include "core/io/file_descriptor.h"

namespace koravel {

/// The file a save writes, found and held. Symbolic links are followed to
/// the file they name, which need not exist, but in a sticky folder that
/// anyone may write only a link of the folder's owner or of the saving user
/// is followed (the kernel's rule for such links); another is refused with
/// WritePermissionDenied. Each step works relative to the folder opened
/// before it, so a link swapped in meanwhile is never followed. An existing
/// file must be a regular file, not read-only (IsReadOnlyMode) and writable
/// by the user; it stays open under an advisory lock (flock) for the life
/// of the object, so that saves of one file by several processes or threads
/// follow one another.
class SaveTarget {
 public:
  static std::variant<SaveTarget, ErrorCode> Open(const std::filesystem::path& path);

  /// The open folder that holds the file.
  int Folder() const { return folder_.Get(); }
  /// The file's name in Folder().
  const std::string& Name() const { return name_; }
  /// The existing file, open for writing (and reading where the user may)
  /// and locked; -1 when the file does not exist yet.
  int File() const { return file_.Get(); }
  /// The status of File(), taken once it was locked.
  const struct stat& Status() const { return status_; }

 private:
  enum class Step { Done, Again };
  using Outcome = std::variant<Step, ErrorCode>;

  Outcome Advance(int& link_hops);
  Outcome OpenAndLock(const struct stat& seen);

  FileDescriptor folder_;
  std::string name_;
  FileDescriptor file_;
  struct stat status_ {};
};

}  // namespace koravel
