#pragma once


#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

#include "core/error_code.h"

namespace koravel {

/// Writes files derived from meshes (exports, mosaics). Each one is written
/// to a nameless temporary file in the target's folder and takes the
/// target's name only once complete, so an interrupted run never leaves half
/// a file, and a new file leaves nothing else either. Nothing reaches the disk file by file: Flush() flushes everything
/// written, once, at the end of a run. Write() may be called from several
/// threads at once.
class DerivedFileWriter {
 public:
  /// Writes the whole contents to `descriptor`, which stays open.
  using Fill = std::function<std::optional<ErrorCode>(int descriptor)>;

  /// Replaces the file at `target` (or creates it) with what `fill` writes.
  /// A folder, a device or a file with the read-only attribute is refused;
  /// a replaced file keeps its permissions.
  std::optional<ErrorCode> Write(const std::filesystem::path& target, const Fill& fill);

  /// Flushes the files written so far, and their names, to the disk.
  std::optional<ErrorCode> Flush();

 private:
  void Remember(const std::filesystem::path& folder, const std::filesystem::path& file);

  std::mutex mutex_;
  std::vector<std::filesystem::path> files_;
  std::vector<std::filesystem::path> folders_;
};

/// Starts writing what `descriptor` holds so far to the disk and returns at
/// once, so that writing a large file keeps the disk busy beside the
/// processor and the flush at the end of the run has little left to wait for.
void StartDiskWrite(int descriptor);

}  // namespace koravel
