#pragma once

#include <string_view>

namespace koravel {

/// An open file descriptor that closes itself.
class FileDescriptor {
 public:
  FileDescriptor() = default;
  explicit FileDescriptor(int descriptor) : descriptor_(descriptor) {}
  FileDescriptor(FileDescriptor&& other) noexcept;
  FileDescriptor& operator=(FileDescriptor&& other) noexcept;
  ~FileDescriptor();

  int Get() const { return descriptor_; }
  bool IsOpen() const { return descriptor_ >= 0; }

  /// Closes now, reporting what close reports (errno on false).
  bool Close();

 private:
  int descriptor_ = -1;
};

/// Writes all of `bytes` to `descriptor` at its offset, retrying short
/// writes and interruptions.
bool WriteAll(int descriptor, std::string_view bytes);

}  // namespace koravel
