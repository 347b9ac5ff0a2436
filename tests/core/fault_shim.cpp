// Preloaded into a saving process, fails one call of the C library so that
// tests see what a failed write, flush or rename leaves behind.
// KORAVEL_FAIL="CALL:N:ERRNO" fails the Nth call of CALL with ERRNO.
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct Fault {
  char call[32] = {};
  int nth = 0;
  int error = 0;
};

const Fault& Chosen() {
  static const Fault fault = [] {
    Fault parsed;
    if (const char* spec = std::getenv("KORAVEL_FAIL")) {
      std::sscanf(spec, "%31[^:]:%d:%d", parsed.call, &parsed.nth, &parsed.error);
    }
    return parsed;
  }();
  return fault;
}

// True, with errno set, when this call of `call` is the one to fail.
bool FailsNow(const char* call, int& count) {
  const Fault& fault = Chosen();
  if (std::strcmp(fault.call, call) != 0 || ++count != fault.nth) return false;
  errno = fault.error;
  return true;
}

template <typename Function>
Function Real(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" ssize_t write(int descriptor, const void* bytes, size_t size) {
  static int count = 0;
  static auto real = Real<ssize_t (*)(int, const void*, size_t)>("write");
  return FailsNow("write", count) ? -1 : real(descriptor, bytes, size);
}

extern "C" int fsync(int descriptor) {
  static int count = 0;
  static auto real = Real<int (*)(int)>("fsync");
  return FailsNow("fsync", count) ? -1 : real(descriptor);
}

extern "C" int renameat(int old_folder, const char* old_name, int new_folder, const char* new_name) {
  static int count = 0;
  static auto real = Real<int (*)(int, const char*, int, const char*)>("renameat");
  return FailsNow("renameat", count) ? -1 : real(old_folder, old_name, new_folder, new_name);
}
