#include "mesh/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

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

mode_t DefaultFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// The mode the new file gets: the target's own, or the usual one for a new
// file; an error when the target must not be replaced.
std::optional<ErrorCode> TargetMode(const std::filesystem::path& target, mode_t& mode) {
  struct stat status {};
  if (stat(target.c_str(), &status) != 0) {
    if (errno != ENOENT) return ErrorFromErrno(errno);
    mode = DefaultFileMode();
    return std::nullopt;
  }
  if (S_ISDIR(status.st_mode) || (status.st_mode & S_IWUSR) == 0) {
    return ErrorCode::InvalidPathOrNotWritable;
  }
  mode = status.st_mode & 07777;
  return std::nullopt;
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

std::optional<ErrorCode> WriteTemporary(int descriptor, std::string_view contents, mode_t mode) {
  if (!WriteAll(descriptor, contents) || fchmod(descriptor, mode) != 0 || fsync(descriptor) != 0) {
    return ErrorFromErrno(errno);
  }
  return std::nullopt;
}

}  // namespace

std::optional<ErrorCode> ReplaceFileContents(const std::filesystem::path& path,
                                             std::string_view contents) {
  const std::filesystem::path target = ResolveTarget(path);
  mode_t mode = 0;
  if (auto refused = TargetMode(target, mode)) return refused;

  const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
  std::string temporary = (folder / ".koravel-XXXXXX").string();
  const int descriptor = mkstemp(temporary.data());
  if (descriptor < 0) return ErrorFromErrno(errno);

  std::optional<ErrorCode> failure = WriteTemporary(descriptor, contents, mode);
  if (close(descriptor) != 0 && !failure) failure = ErrorFromErrno(errno);
  if (!failure && rename(temporary.c_str(), target.c_str()) != 0) failure = ErrorFromErrno(errno);
  if (failure) unlink(temporary.c_str());
  return failure;
}

}  // namespace koravel
