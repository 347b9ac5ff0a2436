#include "core/export/tiff_library.h"

#include <dlfcn.h>

#include <optional>

#include "core/dynamic_symbol.h"

namespace koravel {
namespace {

// libgeotiff brings PROJ and its network and database libraries along;
// binding their symbols lazily saves most of a millisecond of loading.
void* Open(const char* soname) { return dlopen(soname, RTLD_LAZY | RTLD_LOCAL); }

bool ResolveTiff(void* library, TiffLibrary& tiff) {
  decltype(&::TIFFSetErrorHandler) set_error_handler = nullptr;
  decltype(&::TIFFSetWarningHandler) set_warning_handler = nullptr;
  const bool complete = ResolveSymbol(library, "TIFFMergeFieldInfo", tiff.MergeFieldInfo) &&
                        ResolveSymbol(library, "TIFFSetField", tiff.SetField) &&
                        ResolveSymbol(library, "TIFFWriteEncodedStrip", tiff.WriteEncodedStrip) &&
                        ResolveSymbol(library, "TIFFFlush", tiff.Flush) &&
                        ResolveSymbol(library, "TIFFSetErrorHandler", set_error_handler) &&
                        ResolveSymbol(library, "TIFFSetWarningHandler", set_warning_handler);
  if (!complete) return false;
  // Failures come back as error codes with the program's own messages.
  set_error_handler(nullptr);
  set_warning_handler(nullptr);
  return true;
}

bool ResolveGeoTiff(void* library, TiffLibrary& tiff) {
  decltype(&::XTIFFInitialize) initialize = nullptr;
  const bool complete = ResolveSymbol(library, "XTIFFFdOpen", tiff.FdOpen) &&
                        ResolveSymbol(library, "XTIFFClose", tiff.Close) &&
                        ResolveSymbol(library, "GTIFNewEx", tiff.NewGeoKeys) &&
                        ResolveSymbol(library, "GTIFKeySet", tiff.SetGeoKey) &&
                        ResolveSymbol(library, "GTIFWriteKeys", tiff.WriteGeoKeys) &&
                        ResolveSymbol(library, "GTIFFree", tiff.FreeGeoKeys) &&
                        ResolveSymbol(library, "XTIFFInitialize", initialize);
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
