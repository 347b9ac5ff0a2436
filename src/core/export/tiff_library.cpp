#include "core/export/tiff_library.h"

#include <dlfcn.h>

#include <optional>

namespace koravel {
namespace {

template <typename Function>
bool Resolve(void* library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(dlsym(library, name));
  return function != nullptr;
}

// libgeotiff brings PROJ and its network and database libraries along;
// binding their symbols lazily saves most of a millisecond of loading.
void* Open(const char* soname) { return dlopen(soname, RTLD_LAZY | RTLD_LOCAL); }

bool ResolveTiff(void* library, TiffLibrary& tiff) {
  decltype(&::TIFFSetErrorHandler) set_error_handler = nullptr;
  decltype(&::TIFFSetWarningHandler) set_warning_handler = nullptr;
  const bool complete = Resolve(library, "TIFFMergeFieldInfo", tiff.MergeFieldInfo) &&
                        Resolve(library, "TIFFSetField", tiff.SetField) &&
                        Resolve(library, "TIFFWriteEncodedStrip", tiff.WriteEncodedStrip) &&
                        Resolve(library, "TIFFFlush", tiff.Flush) &&
                        Resolve(library, "TIFFSetErrorHandler", set_error_handler) &&
                        Resolve(library, "TIFFSetWarningHandler", set_warning_handler);
  if (!complete) return false;
  // Failures come back as error codes with the program's own messages.
  set_error_handler(nullptr);
  set_warning_handler(nullptr);
  return true;
}

bool ResolveGeoTiff(void* library, TiffLibrary& tiff) {
  decltype(&::XTIFFInitialize) initialize = nullptr;
  const bool complete = Resolve(library, "XTIFFFdOpen", tiff.FdOpen) && Resolve(library, "XTIFFClose", tiff.Close) &&
                        Resolve(library, "GTIFNewEx", tiff.NewGeoKeys) &&
                        Resolve(library, "GTIFKeySet", tiff.SetGeoKey) &&
                        Resolve(library, "GTIFWriteKeys", tiff.WriteGeoKeys) &&
                        Resolve(library, "GTIFFree", tiff.FreeGeoKeys) &&
                        Resolve(library, "XTIFFInitialize", initialize);
  // Registers the tags with libtiff once, here, where no other thread can
  // race the unguarded first call inside XTIFFFdOpen.
  if (complete) initialize();
  return complete;
}

std::optional<TiffLibrary> Load() {
  void* geotiff = Open(KORAVEL_LIBGEOTIFF_SONAME);
  void* tiff_library = geotiff == nullptr ? nullptr : Open(KORAVEL_LIBTIFF_SONAME);
  TiffLibrary tiff;
  if (tiff_library == nullptr || !ResolveTiff(tiff_library, tiff) || !ResolveGeoTiff(geotiff, tiff)) {
    return std::nullopt;
  }
  return tiff;
}

}  // namespace

const TiffLibrary* TiffLibrary::Get() {
  static const std::optional<TiffLibrary> library = Load();
  return library ? &*library : nullptr;
}

}  // namespace koravel
