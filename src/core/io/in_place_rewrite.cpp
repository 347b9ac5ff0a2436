#include "core/io/in_place_rewrite.h"

#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <utility>

#include "core/io/errno_error.h"

namespace koravel {
namespace {

constexpr std::string_view kCopySuffix = ".koravel-backup-";
constexpr std::size_t kCopyChunk = 1 << 30;

// The user's cache folder, for a copy that cannot stay beside its file.
// None without an absolute XDG_CACHE_HOME or HOME: a relative one would put
// it under whatever folder the program was started in.
std::optional<std::filesystem::path> CacheFolder() {
  const char* cache = std::getenv("XDG_CACHE_HOME");
  if (cache != nullptr && cache[0] == '/') return std::filesystem::path(cache) / "koravel";
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return std::filesystem::path(home) / ".cache" / "koravel";
  return std::nullopt;
}

FileDescriptor OpenCopyFolder(int folder) {
  if (faccessat(folder, ".", W_OK | X_OK, AT_EACCESS) == 0) {
    return FileDescriptor(openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  }
  const std::optional<std::filesystem::path> cache = CacheFolder();
  if (!cache) {
    errno = EACCES;
    return FileDescriptor();
  }
  std::error_code ignored;
  std::filesystem::create_directories(cache->parent_path(), ignored);
  mkdir(cache->c_str(), S_IRWXU);
  return FileDescriptor(open(cache->c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

// Streams all of `from` to `to` at its offset, through the kernel, so that
// even a large file never sits in memory.
bool CopyAll(int from, int to) {
  off_t offset = 0;
  for (;;) {
    const ssize_t copied = sendfile(to, from, &offset, kCopyChunk);
    if (copied < 0 && errno == EINTR) continue;
    if (copied <= 0) return copied == 0;
  }
}

}  // namespace

std::variant<InPlaceRewrite, ErrorCode> InPlaceRewrite::Begin(int folder, const std::string& name, int file) {
  InPlaceRewrite rewrite(file, OpenCopyFolder(folder));
  if (!rewrite.copy_folder_.IsOpen()) return ErrorFromErrno(errno);
  if (auto failure = rewrite.KeepCopy(name)) return *failure;
  if (ftruncate(file, 0) != 0 || lseek(file, 0, SEEK_SET) != 0) return ErrorFromErrno(errno);
  return rewrite;
}

InPlaceRewrite::InPlaceRewrite(InPlaceRewrite&& other) noexcept
    : file_(other.file_),
      copy_folder_(std::move(other.copy_folder_)),
      copy_(std::move(other.copy_)),
      copy_name_(std::move(other.copy_name_)),
      settled_(std::exchange(other.settled_, true)) {}

InPlaceRewrite::~InPlaceRewrite() {
  if (!settled_ && !copy_name_.empty()) Restore();
}

std::optional<ErrorCode> InPlaceRewrite::Commit() {
  if (fsync(file_) != 0) return ErrorFromErrno(errno);
  RemoveCopy();
  settled_ = true;
  return std::nullopt;
}

// The copy is named only once it is complete and on the disk, so that a
// named copy always holds the whole old file.
std::optional<ErrorCode> InPlaceRewrite::KeepCopy(const std::string& name) {
  std::optional<UnnamedFile> created = UnnamedFile::Create(copy_folder_.Get(), name + std::string(kCopySuffix));
  if (!created) return ErrorFromErrno(errno);
  copy_.emplace(std::move(*created));
  const int descriptor = copy_->Descriptor().Get();
  if (fchmod(descriptor, S_IRUSR | S_IWUSR) != 0 || !CopyAll(file_, descriptor) || fsync(descriptor) != 0) {
    return ErrorFromErrno(errno);
  }
  std::optional<std::string> copy_name = copy_->TakeFreshName();
  if (!copy_name) return ErrorFromErrno(errno);
  copy_name_ = std::move(*copy_name);
  if (fsync(copy_folder_.Get()) != 0) {
    const ErrorCode failure = ErrorFromErrno(errno);
    RemoveCopy();
    copy_name_.clear();
    return failure;
  }
  return std::nullopt;
}

// Leaves the copy where putting the old bytes back failed.
void InPlaceRewrite::Restore() {
  if (ftruncate(file_, 0) == 0 && lseek(file_, 0, SEEK_SET) == 0 && CopyAll(copy_->Descriptor().Get(), file_) &&
      fsync(file_) == 0) {
    RemoveCopy();
  }
}

void InPlaceRewrite::RemoveCopy() const { unlinkat(copy_folder_.Get(), copy_name_.c_str(), 0); }

}  // namespace koravel
