// Preloaded into a saving process, fails one call of the C library so that
// tests see what a failed write, flush or rename leaves behind.
// KORAVEL_FAIL="CALL:N:ERRNO" fails the Nth call of CALL with ERRNO.
#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// True, with errno set, when this call of `call` is the one to fail.
bool FailsNow(const char* call, int& count) {
  static char chosen[32] = {};
  static int nth = 0, error = 0;
  static const bool parsed = [] {
    const char* fault = std::getenv("KORAVEL_FAIL");
    return fault && std::sscanf(fault, "%31[^:]:%d:%d", chosen, &nth, &error) == 3;
  }();
  if (!parsed || std::strcmp(chosen, call) != 0 || ++count != nth) return false;
  errno = error;
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
