#include "export/derived_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include "export/parallel_for_each.h"

namespace koravel {
namespace {

// Flushing waits on the disk, not the processor.
constexpr std::size_t kFlushThreads = 16;

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
  if (!std::filesystem::is_symlink(path, error)) return path;
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

DerivedFileWriter::DerivedFileWriter() : process_(std::to_string(getpid())) {
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
  // Flush() reports any failure of the disk.
  if (!failure) StartDiskWrite(temporary.descriptor);
  if (!failure && fchmod(temporary.descriptor, mode) != 0) failure = ErrorFromErrno(errno);
  if (!failure) failure = Commit(folder, temporary, target);
  if (close(temporary.descriptor) != 0 && !failure) failure = ErrorFromErrno(errno);
  if (failure && !temporary.name.empty()) unlink(temporary.name.c_str());
  if (!failure) Remember(folder, target);
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
        folder / (".koravel-" + process_ + "-" + std::to_string(temporary_count_++));
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

void DerivedFileWriter::Remember(const std::filesystem::path& folder, const std::filesystem::path& file) {
  const std::lock_guard lock(mutex_);
  files_.push_back(file);
  if (std::find(folders_.begin(), folders_.end(), folder) == folders_.end()) folders_.push_back(folder);
}

// Flushes that run at once share the file system's journal commits, so a
// run's files reach the disk in about the time of one; a flush of the whole
// file system would wait for other programs' writes too.
std::optional<ErrorCode> DerivedFileWriter::Flush() {
  const std::lock_guard lock(mutex_);
  std::vector<std::filesystem::path> paths = std::move(files_);
  paths.insert(paths.end(), folders_.begin(), folders_.end());
  files_.clear();
  folders_.clear();
  std::vector<int> errors(paths.size(), 0);
  ForEachInParallel(
      paths.size(),
      [&](std::size_t i) {
        const int descriptor = open(paths[i].c_str(), O_RDONLY | O_CLOEXEC);
        if (descriptor < 0 || fsync(descriptor) != 0) errors[i] = errno;
        if (descriptor >= 0) close(descriptor);
      },
      {}, kFlushThreads);
  const auto failed = std::find_if(errors.begin(), errors.end(), [](int error) { return error != 0; });
  return failed == errors.end() ? std::nullopt : std::optional(ErrorFromErrno(*failed));
}

void StartDiskWrite(int descriptor) { sync_file_range(descriptor, 0, 0, SYNC_FILE_RANGE_WRITE); }

}  // namespace koravel
