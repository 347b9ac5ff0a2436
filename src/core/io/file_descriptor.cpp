#include "core/io/file_descriptor.h"

#include <sys/types.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <utility>

namespace koravel {

FileDescriptor::FileDescriptor(FileDescriptor&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)) {}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
  if (this != &other) {
    Close();
    descriptor_ = std::exchange(other.descriptor_, -1);
  }
  return *this;
}

FileDescriptor::~FileDescriptor() { Close(); }

bool FileDescriptor::WriteAll(std::string_view bytes) const { return koravel::WriteAll(descriptor_, bytes); }

bool WriteAll(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(descriptor, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

std::optional<std::string> FileDescriptor::ReadAll() const {
  if (lseek(descriptor_, 0, SEEK_SET) != 0) return std::nullopt;
  std::string bytes;
  std::array<char, 65536> block;
  for (;;) {
    const ssize_t count = read(descriptor_, block.data(), block.size());
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return std::nullopt;
    if (count == 0) return bytes;
    bytes.append(block.data(), static_cast<std::size_t>(count));
  }
}

bool FileDescriptor::Overwrite(std::string_view bytes) const {
  return lseek(descriptor_, 0, SEEK_SET) == 0 && WriteAll(bytes) &&
         ftruncate(descriptor_, static_cast<off_t>(bytes.size())) == 0 && fsync(descriptor_) == 0;
}

bool FileDescriptor::Close() {
  if (descriptor_ < 0) return true;
  return close(std::exchange(descriptor_, -1)) == 0;
}

ErrorCode ErrorFromErrno(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
    case ETXTBSY:
      return ErrorCode::WritePermissionDenied;
    case EISDIR:
    case EROFS:
    case ENAMETOOLONG:
    case EINVAL:
      return ErrorCode::InvalidPathOrNotWritable;
    default:
      return ErrorCode::FileError;
  }
}

}  // namespace koravel
