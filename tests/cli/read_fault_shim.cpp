// Preloaded into koravel-tool by the command-line tests: reads of the file
// named by KORAVEL_FAIL_READ_OF deliver its first KORAVEL_FAIL_READ_AFTER
// bytes and then fail with EIO, as a failing disk does.

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace {

using ReadFunction = ssize_t (*)(int, void*, size_t);

bool IsFailingFile(int fd) {
  const char* path = std::getenv("KORAVEL_FAIL_READ_OF");
  struct stat failing {}, opened {};
  return path != nullptr && stat(path, &failing) == 0 && fstat(fd, &opened) == 0 &&
         failing.st_dev == opened.st_dev && failing.st_ino == opened.st_ino;
}

}  // namespace

extern "C" ssize_t read(int fd, void* buffer, size_t count) {
  static const auto real_read = reinterpret_cast<ReadFunction>(dlsym(RTLD_NEXT, "read"));
  if (!IsFailingFile(fd)) return real_read(fd, buffer, count);
  const char* after = std::getenv("KORAVEL_FAIL_READ_AFTER");
  const off_t good_bytes = after != nullptr ? std::atoll(after) : 0;
  const off_t at = lseek(fd, 0, SEEK_CUR);
  if (at >= good_bytes) {
    errno = EIO;
    return -1;
  }
  return real_read(fd, buffer, std::min(count, static_cast<size_t>(good_bytes - at)));
}
