#include "core/io/derived_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include "core/export/parallel_for_each.h"
#include "core/io/file_descriptor.h"
#include "core/io/unnamed_file.h"

namespace koravel {
namespace {

// Flushing waits on the disk, not the processor.
constexpr std::size_t kFlushThreads = 16;

ErrorCode WriteErrorFrom(int error) {
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

// The mode of the file a new one replaces, if any; a new file keeps the one
// the system gave it (umask, default ACL).
std::optional<ErrorCode> TargetMode(const std::filesystem::path& target, std::optional<mode_t>& mode) {
  struct stat status {};
  if (stat(target.c_str(), &status) != 0) return errno == ENOENT ? std::nullopt : std::optional(WriteErrorFrom(errno));
  if (!S_ISREG(status.st_mode) || (status.st_mode & S_IWUSR) == 0) return ErrorCode::InvalidPathOrNotWritable;
  mode = status.st_mode & 07777;
  return std::nullopt;
}

// A new target takes its name straight from the nameless file. One that
// exists is replaced by a rename from a hidden name of its own, which the
// next write of it takes over should a kill strand it there.
std::optional<ErrorCode> Commit(int folder, UnnamedFile& file, const std::string& name) {
  if (file.TakeFreeName(name)) return std::nullopt;
  if (errno != EEXIST) return WriteErrorFrom(errno);
  const std::optional<std::string> hidden = file.TakeName("." + name + ".koravel-new");
  if (!hidden) return WriteErrorFrom(errno);
  if (renameat(folder, hidden->c_str(), folder, name.c_str()) == 0) return std::nullopt;
  const int error = errno;
  unlinkat(folder, hidden->c_str(), 0);
  return WriteErrorFrom(error);
}

}  // namespace

std::optional<ErrorCode> DerivedFileWriter::Write(const std::filesystem::path& path, const Fill& fill) {
  const std::filesystem::path target = ResolveTarget(path);
  std::optional<mode_t> mode;
  if (auto refused = TargetMode(target, mode)) return refused;
  const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
  const FileDescriptor folder_descriptor(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!folder_descriptor.IsOpen()) return WriteErrorFrom(errno);
  std::optional<UnnamedFile> file = UnnamedFile::Create(folder_descriptor.Get(), ".koravel-");
  if (!file) return WriteErrorFrom(errno);
  const int descriptor = file->Descriptor().Get();
  if (auto failure = fill(descriptor)) return failure;
  // Flush() reports any failure of the disk.
  StartDiskWrite(descriptor);
  if (mode && fchmod(descriptor, *mode) != 0) return WriteErrorFrom(errno);
  if (auto failure = Commit(folder_descriptor.Get(), *file, target.filename().string())) return failure;
  Remember(folder, target);
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
  return failed == errors.end() ? std::nullopt : std::optional(WriteErrorFrom(*failed));
}

void StartDiskWrite(int descriptor) { sync_file_range(descriptor, 0, 0, SYNC_FILE_RANGE_WRITE); }

}  // namespace koravel
