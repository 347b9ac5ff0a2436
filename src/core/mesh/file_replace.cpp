#include "mesh/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <utility>

namespace koravel {
namespace {

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

// Saving through a symbolic link replaces the file it points to, not the link.
std::filesystem::path ResolveTarget(const std::filesystem::path& path) {
  std::error_code error;
  std::filesystem::path resolved = std::filesystem::canonical(path, error);
  return error ? path : resolved;
}

// The program has one thread, so reading the umask by setting it is safe.
mode_t DefaultFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// What the new file takes over from the one it replaces.
struct Ownership {
  mode_t mode = DefaultFileMode();
  std::optional<std::pair<uid_t, gid_t>> owner;
};

// An error when the target must not be replaced: a folder, a device or pipe
// (renaming over it would swap the device for a plain file), or a file with
// the read-only attribute.
std::optional<ErrorCode> TargetOwnership(const std::filesystem::path& target, Ownership& ownership) {
  struct stat status {};
  if (stat(target.c_str(), &status) != 0) {
    if (errno == ENOENT) return std::nullopt;
    return ErrorFromErrno(errno);
  }
  if (!S_ISREG(status.st_mode) || (status.st_mode & S_IWUSR) == 0) {
    return ErrorCode::InvalidPathOrNotWritable;
  }
  ownership.mode = status.st_mode & 07777;
  ownership.owner = std::pair(status.st_uid, status.st_gid);
  return std::nullopt;
}

// Keeps owner and group where the user may (root saving another's file), then
// the mode, which a change of owner may have cleared.
bool TakeOver(int descriptor, const Ownership& ownership) {
  if (ownership.owner && fchown(descriptor, ownership.owner->first, ownership.owner->second) != 0 &&
      errno != EPERM) {
    return false;
  }
  return fchmod(descriptor, ownership.mode) == 0;
}

// The rename itself reaches the disk only with its folder.
void SyncFolder(const std::filesystem::path& folder) {
  const int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return;
  fsync(descriptor);
  close(descriptor);
}

bool WriteAll(int descriptor, std::string_view contents) {
  while (!contents.empty()) {
    const ssize_t written = write(descriptor, contents.data(), contents.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    contents.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

std::optional<ErrorCode> WriteTemporary(int descriptor, std::string_view contents,
                                        const Ownership& ownership) {
  if (!WriteAll(descriptor, contents) || !TakeOver(descriptor, ownership) || fsync(descriptor) != 0) {
    return ErrorFromErrno(errno);
  }
  return std::nullopt;
}

}  // namespace

std::optional<ErrorCode> ReplaceFileContents(const std::filesystem::path& path,
                                             std::string_view contents) {
  const std::filesystem::path target = ResolveTarget(path);
  Ownership ownership;
  if (auto refused = TargetOwnership(target, ownership)) return refused;

  const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
  std::string temporary = (folder / ".koravel-XXXXXX").string();
  const int descriptor = mkostemp(temporary.data(), O_CLOEXEC);
  if (descriptor < 0) return ErrorFromErrno(errno);

  std::optional<ErrorCode> failure = WriteTemporary(descriptor, contents, ownership);
  if (close(descriptor) != 0 && !failure) failure = ErrorFromErrno(errno);
  if (!failure && rename(temporary.c_str(), target.c_str()) != 0) failure = ErrorFromErrno(errno);
  if (failure) {
    unlink(temporary.c_str());
    return failure;
  }
  SyncFolder(folder);
  return std::nullopt;
}

}  // namespace koravel
