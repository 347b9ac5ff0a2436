#pragma once

#include <sys/types.h>

#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/error_code.h"
#include "core/io/file_descriptor.h"

namespace koravel {

/// The option of a run of saves (a batch of exports) to reach the disk
/// together at its end: a SaveFile given one renames its file into place
/// without waiting for the disk, and Flush() then flushes every file and
/// folder so saved at once. An interrupted run still never leaves half a
/// file; only a crash of the system before Flush() may lose files. Safe to
/// share between threads.
class DeferredFlush {
 public:
  /// Notes the file `name` in the open folder `folder` for the next Flush().
  void Remember(int folder, const std::string& name);

  /// Flushes the files noted so far, and their names, to the disk.
  std::optional<ErrorCode> Flush();

 private:
  struct Folder {
    FileDescriptor descriptor;
    dev_t device;
    ino_t inode;
  };

  std::size_t FolderIndex(int folder);
  int FlushOne(std::size_t item) const;

  std::mutex mutex_;
  std::vector<Folder> folders_;
  std::vector<std::pair<std::size_t, std::string>> files_;  // index into folders_, name
};

}  // namespace koravel
