#include "core/io/save_target.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <optional>

#include "core/io/errno_error.h"
#include "core/io/file_probe.h"

namespace koravel {
namespace {

constexpr int kMaxLinkHops = 40;
// A pipe or device swapped in after it was looked at must not block the open.
constexpr int kFileFlags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

FileDescriptor OpenFolder(int base, const std::filesystem::path& folder) {
  return FileDescriptor(openat(base, folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

// The kernel's rule (fs.protected_symlinks), applied whatever the system's
// setting: in a sticky folder anyone may write, another user may have
// planted the link to make a privileged save replace a file of its choice.
bool MayFollow(int folder, const struct stat& link) {
  struct stat status {};
  if (fstat(folder, &status) != 0) return false;
  const bool shared = (status.st_mode & S_ISVTX) != 0 && (status.st_mode & S_IWOTH) != 0;
  return !shared || link.st_uid == status.st_uid || link.st_uid == geteuid();
}

std::optional<std::filesystem::path> LinkText(int folder, const std::string& name) {
  std::string text(PATH_MAX, '\0');
  const ssize_t length = readlinkat(folder, name.c_str(), text.data(), text.size());
  if (length < 0 || static_cast<std::size_t>(length) == text.size()) return std::nullopt;
  text.resize(static_cast<std::size_t>(length));
  return text;
}

// A folder, device or pipe would be swapped for a plain file by a rename.
std::optional<ErrorCode> RefusalOf(const struct stat& status) {
  if (!S_ISREG(status.st_mode) || IsReadOnlyMode(status.st_mode)) return ErrorCode::InvalidPathOrNotWritable;
  return std::nullopt;
}

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

int LockAndWait(int file) {
  int result = 0;
  do {
    result = flock(file, LOCK_EX);
  } while (result != 0 && errno == EINTR);
  return result;
}

}  // namespace

std::variant<SaveTarget, ErrorCode> SaveTarget::Open(const std::filesystem::path& path) {
  SaveTarget target;
  target.folder_ = OpenFolder(AT_FDCWD, FolderOf(path));
  if (!target.folder_.IsOpen()) return ErrorFromErrno(errno);
  target.name_ = path.filename().string();
  int link_hops = 0;
  for (;;) {
    const Outcome step = target.Advance(link_hops);
    if (const ErrorCode* failure = std::get_if<ErrorCode>(&step)) return *failure;
    if (std::get<Step>(step) == Step::Done) return target;
  }
}

// One step towards the file: follows one link, or opens and locks the file
// it reached; Again when the name changed under it and it must look again.
SaveTarget::Outcome SaveTarget::Advance(int& link_hops) {
  if (name_.empty() || name_ == "." || name_ == "..") return ErrorCode::InvalidPathOrNotWritable;
  file_.Close();
  struct stat seen {};
  if (fstatat(folder_.Get(), name_.c_str(), &seen, AT_SYMLINK_NOFOLLOW) != 0) {
    return errno == ENOENT ? Outcome(Step::Done) : ErrorFromErrno(errno);
  }
  if (!S_ISLNK(seen.st_mode)) {
    if (auto refused = RefusalOf(seen)) return *refused;
    return OpenAndLock(seen);
  }
  if (++link_hops > kMaxLinkHops) return ErrorCode::FileError;
  if (!MayFollow(folder_.Get(), seen)) return ErrorCode::WritePermissionDenied;
  const std::optional<std::filesystem::path> link = LinkText(folder_.Get(), name_);
  if (!link) return ErrorFromErrno(errno);
  folder_ = OpenFolder(folder_.Get(), FolderOf(*link));
  if (!folder_.IsOpen()) return ErrorFromErrno(errno);
  name_ = link->filename().string();
  return Step::Again;
}

// The lock is the file's, not the name's: a save that waited for it looks
// again, since the one before may have renamed a new file over the name.
SaveTarget::Outcome SaveTarget::OpenAndLock(const struct stat& seen) {
  file_ = FileDescriptor(openat(folder_.Get(), name_.c_str(), O_RDWR | kFileFlags));
  if (!file_.IsOpen() && errno == EACCES) {
    file_ = FileDescriptor(openat(folder_.Get(), name_.c_str(), O_WRONLY | kFileFlags));
  }
  // A link or nothing where the file was: look again.
  if (!file_.IsOpen()) return errno == ELOOP || errno == ENOENT ? Outcome(Step::Again) : ErrorFromErrno(errno);
  struct stat now {};
  if (fstat(file_.Get(), &now) != 0 || !SameFile(now, seen)) return Step::Again;
  if (LockAndWait(file_.Get()) != 0) return ErrorFromErrno(errno);
  if (fstatat(folder_.Get(), name_.c_str(), &now, AT_SYMLINK_NOFOLLOW) != 0 || !SameFile(now, seen) ||
      fstat(file_.Get(), &status_) != 0) {
    file_.Close();
    return Step::Again;
  }
  if (auto refused = RefusalOf(status_)) return *refused;
  return Step::Done;
}

}  // namespace koravel
