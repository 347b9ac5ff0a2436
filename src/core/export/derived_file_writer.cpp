#include "export/derived_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>

namespace koravel {
namespace {

ErrorCode ErrorFromErrno(int error) {
  if (error == EACCES || error == EPERM) return ErrorCode::WritePermissionDenied;
  if (error == EISDIR || error == EROFS || error == ENAMETOOLONG || error == ENOENT || error == ENOTDIR) {
    return ErrorCode::InvalidPathOrNotWritable;
  }
  return ErrorCode::FileError;
}

// Writing through a symbolic link replaces the file it points to.
std::filesystem::path ResolveTarget(const std::filesystem::path& path) {
  std::error_code error;
  std::filesystem::path resolved = std::filesystem::canonical(path, error);
  return error ? path : resolved;
}

// The mode the new file takes: that of the file it replaces, if any.
std::optional<ErrorCode> TargetMode(const std::filesystem::path& target, mode_t& mode) {
  struct stat status {};
  if (stat(target.c_str(), &status) != 0) return errno == ENOENT ? std::nullopt : std::optional(ErrorFromErrno(errno));
  if (!S_ISREG(status.st_mode) || (status.st_mode & S_IWUSR) == 0) return ErrorCode::InvalidPathOrNotWritable;
  mode = status.st_mode & 07777;
  return std::nullopt;
}

std::string ProcessLink(int descriptor) { return "/proc/self/fd/" + std::to_string(descriptor); }

}  // namespace

DerivedFileWriter::DerivedFileWriter() {
  const mode_t mask = umask(0);
  umask(mask);
  new_file_mode_ = 0666 & ~mask;
}

std::optional<ErrorCode> DerivedFileWriter::Write(const std::filesystem::path& path, const Fill& fill) {
  const std::filesystem::path target = ResolveTarget(path);
  mode_t mode = new_file_mode_;
  if (auto refused = TargetMode(target, mode)) return refused;
  const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
  Temporary temporary;
  if (auto failure = OpenTemporary(folder, temporary)) return failure;

  std::optional<ErrorCode> failure = fill(temporary.descriptor);
  if (!failure && fchmod(temporary.descriptor, mode) != 0) failure = ErrorFromErrno(errno);
  if (!failure) failure = Commit(folder, temporary, target);
  if (close(temporary.descriptor) != 0 && !failure) failure = ErrorFromErrno(errno);
  if (failure && !temporary.name.empty()) unlink(temporary.name.c_str());
  if (!failure) Remember(folder);
  return failure;
}

// A nameless file vanishes by itself when the process dies; file systems
// without them get a hidden named one.
std::optional<ErrorCode> DerivedFileWriter::OpenTemporary(const std::filesystem::path& folder,
                                                          Temporary& temporary) {
  temporary.descriptor = open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (temporary.descriptor >= 0) return std::nullopt;
  if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return ErrorFromErrno(errno);
  std::string name = (folder / ".koravel-XXXXXX").string();
  temporary.descriptor = mkostemp(name.data(), O_CLOEXEC);
  if (temporary.descriptor < 0) return ErrorFromErrno(errno);
  temporary.name = name;
  return std::nullopt;
}

// A name cannot be linked over an existing file, so a nameless file first
// takes a hidden name of its own and is then renamed over the target.
std::optional<ErrorCode> DerivedFileWriter::Commit(const std::filesystem::path& folder, Temporary& temporary,
                                                   const std::filesystem::path& target) {
  while (temporary.name.empty()) {
    const std::filesystem::path name =
        folder / (".koravel-" + std::to_string(getpid()) + "-" + std::to_string(temporary_count_++));
    if (linkat(AT_FDCWD, ProcessLink(temporary.descriptor).c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      temporary.name = name;
    } else if (errno != EEXIST) {
      return ErrorFromErrno(errno);
    }
  }
  if (rename(temporary.name.c_str(), target.c_str()) != 0) return ErrorFromErrno(errno);
  temporary.name.clear();
  return std::nullopt;
}

void DerivedFileWriter::Remember(const std::filesystem::path& folder) {
  const std::lock_guard lock(mutex_);
  if (std::find(folders_.begin(), folders_.end(), folder) == folders_.end()) folders_.push_back(folder);
}

// One syncfs per folder flushes every file of the run and the names given to
// them, however many there are.
std::optional<ErrorCode> DerivedFileWriter::Flush() {
  const std::lock_guard lock(mutex_);
  std::optional<ErrorCode> failure;
  for (const std::filesystem::path& folder : folders_) {
    const int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0 || syncfs(descriptor) != 0) failure = ErrorFromErrno(errno);
    if (descriptor >= 0) close(descriptor);
  }
  folders_.clear();
  return failure;
}

}  // namespace koravel
