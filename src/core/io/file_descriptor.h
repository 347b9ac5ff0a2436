#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/error_code.h"

namespace koravel {

/// An open file descriptor that closes itself; its reads and writes retry
/// short transfers and interruptions.
class FileDescriptor {
 public:
  FileDescriptor() = default;
  explicit FileDescriptor(int descriptor) : descriptor_(descriptor) {}
  FileDescriptor(FileDescriptor&& other) noexcept;
  FileDescriptor& operator=(FileDescriptor&& other) noexcept;
  ~FileDescriptor();

  int Get() const { return descriptor_; }
  bool IsOpen() const { return descriptor_ >= 0; }

  /// Writes all of `bytes` at the current offset.
  bool WriteAll(std::string_view bytes) const;
  /// The whole file from its start; nullopt when reading fails.
  std::optional<std::string> ReadAll() const;
  /// Makes `bytes` the whole content of the file and flushes it to the disk.
  bool Overwrite(std::string_view bytes) const;
  /// Closes now, reporting what close reports (errno on false).
  bool Close();

 private:
  int descriptor_ = -1;
};

/// Writes all of `bytes` to `descriptor` at its offset, retrying short
/// writes and interruptions.
bool WriteAll(int descriptor, std::string_view bytes);

/// The error the user sees for a failed file operation with errno `error`.
ErrorCode ErrorFromErrno(int error);

}  // namespace koravel
