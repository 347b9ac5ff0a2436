#include "export/tiff_library.h"

#include <dlfcn.h>

#include <optional>

namespace koravel {
namespace {

template <typename Function>
bool Resolve(void* library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(dlsym(library, name));
  return function != nullptr;
}

std::optional<TiffLibrary> Load() {
  void* library = dlopen(KORAVEL_LIBTIFF_SONAME, RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) return std::nullopt;
  TiffLibrary tiff;
  decltype(&::TIFFSetErrorHandler) set_error_handler = nullptr;
  decltype(&::TIFFSetWarningHandler) set_warning_handler = nullptr;
  const bool complete = Resolve(library, "TIFFFdOpen", tiff.FdOpen) &&
                        Resolve(library, "TIFFMergeFieldInfo", tiff.MergeFieldInfo) &&
                        Resolve(library, "TIFFSetField", tiff.SetField) &&
                        Resolve(library, "TIFFWriteEncodedStrip", tiff.WriteEncodedStrip) &&
                        Resolve(library, "TIFFFlush", tiff.Flush) && Resolve(library, "TIFFClose", tiff.Close) &&
                        Resolve(library, "TIFFSetErrorHandler", set_error_handler) &&
                        Resolve(library, "TIFFSetWarningHandler", set_warning_handler);
  if (!complete) return std::nullopt;
  // Failures come back as error codes with the program's own messages.
  set_error_handler(nullptr);
  set_warning_handler(nullptr);
  return tiff;
}

}  // namespace

const TiffLibrary* TiffLibrary::Get() {
  static const std::optional<TiffLibrary> library = Load();
  return library ? &*library : nullptr;
}

}  // namespace koravel
