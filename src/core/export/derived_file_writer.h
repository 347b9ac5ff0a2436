#pragma once

#include <sys/types.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "error_code.h"

namespace koravel {

/// Writes files derived from meshes (exports, mosaics). Each one is written
/// to a nameless temporary file in the target's folder and takes the
/// target's name only once complete, so an interrupted run never leaves half
/// a file. Nothing reaches the disk file by file: Flush() flushes everything
/// written, once, at the end of a run. Write() may be called from several
/// threads at once.
class DerivedFileWriter {
 public:
  /// Writes the whole contents to `descriptor`, which stays open.
  using Fill = std::function<std::optional<ErrorCode>(int descriptor)>;

  DerivedFileWriter();

  /// Replaces the file at `target` (or creates it) with what `fill` writes.
  /// A folder, a device or a file with the read-only attribute is refused;
  /// a replaced file keeps its permissions.
  std::optional<ErrorCode> Write(const std::filesystem::path& target, const Fill& fill);

  /// Flushes the files written so far, and their names, to the disk.
  std::optional<ErrorCode> Flush();

 private:
  struct Temporary {
    int descriptor = -1;
    std::filesystem::path name;  // empty while the file has no name
  };

  std::optional<ErrorCode> OpenTemporary(const std::filesystem::path& folder, Temporary& temporary);
  std::optional<ErrorCode> Commit(const std::filesystem::path& folder, Temporary& temporary,
                                  const std::filesystem::path& target);
  void Remember(const std::filesystem::path& folder, const std::filesystem::path& file);

  mode_t new_file_mode_;
  std::string process_;  // names temporaries apart from other runs'

  std::atomic<unsigned> temporary_count_ = 0;
  std::mutex mutex_;
  std::vector<std::filesystem::path> files_;
  std::vector<std::filesystem::path> folders_;
};

/// Starts writing what `descriptor` holds so far to the disk and returns at
/// once, so that writing a large file keeps the disk busy beside the
/// processor and the flush at the end of the run has little left to wait for.
void StartDiskWrite(int descriptor);

}  // namespace koravel
