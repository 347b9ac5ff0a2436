#include "core/io/deferred_flush.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <thread>

#include "core/io/errno_error.h"

namespace koravel {
namespace {

// Flushing waits on the disk, not the processor.
constexpr std::size_t kFlushThreads = 16;

}  // namespace

void DeferredFlush::Remember(int folder, const std::string& name) {
  const std::lock_guard lock(mutex_);
  const std::size_t index = FolderIndex(folder);
  files_.emplace_back(index, name);
}

// A run writes into few folders: each is kept open once.
std::size_t DeferredFlush::FolderIndex(int folder) {
  struct stat status {};
  fstat(folder, &status);
  const auto same = [&status](const Folder& known) {
    return known.device == status.st_dev && known.inode == status.st_ino;
  };
  const auto known = std::find_if(folders_.begin(), folders_.end(), same);
  if (known != folders_.end()) return static_cast<std::size_t>(known - folders_.begin());
  folders_.push_back({FileDescriptor(fcntl(folder, F_DUPFD_CLOEXEC, 0)), status.st_dev, status.st_ino});
  return folders_.size() - 1;
}

// Flushes that run at once share the file system's journal commits, so a
// run's files reach the disk in about the time of one; a flush of the whole
// file system would wait for other programs' writes too.
std::optional<ErrorCode> DeferredFlush::Flush() {
  const std::lock_guard lock(mutex_);
  const std::size_t count = files_.size() + folders_.size();
  std::vector<int> errors(count, 0);
  std::atomic<std::size_t> next = 0;
  {
    std::vector<std::jthread> threads(std::min(kFlushThreads, count));
    for (std::jthread& thread : threads) {
      thread = std::jthread([&] {
        for (std::size_t item = next++; item < count; item = next++) errors[item] = FlushOne(item);
      });
    }
  }
  files_.clear();
  folders_.clear();
  const auto failed = std::find_if(errors.begin(), errors.end(), [](int error) { return error != 0; });
  return failed == errors.end() ? std::nullopt : std::optional(ErrorFromErrno(*failed));
}

// Files first, then folders; errno of the failure, or 0.
int DeferredFlush::FlushOne(std::size_t item) const {
  if (item >= files_.size()) return fsync(folders_[item - files_.size()].descriptor.Get()) == 0 ? 0 : errno;
  const auto& [folder, name] = files_[item];
  const FileDescriptor file(openat(folders_[folder].descriptor.Get(), name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
  return file.IsOpen() && fsync(file.Get()) == 0 ? 0 : errno;
}

}  // namespace koravel
