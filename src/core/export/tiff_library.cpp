#include "core/export/tiff_library.h"

#include <dlfcn.h>
#include <geotiff/xtiffio.h>

#include <iterator>
#include <optional>

#include "core/dynamic_symbol.h"

namespace koravel {
namespace {

char kPixelScaleName[] = "GeoPixelScale";
char kTiePointsName[] = "GeoTiePoints";
char kKeyDirectoryName[] = "GeoKeyDirectory";
char kDoubleParamsName[] = "GeoDoubleParams";
char kAsciiParamsName[] = "GeoASCIIParams";
char kNoDataName[] = "GDALNoDataValue";

// The GeoTIFF tags as libgeotiff defines them, and GDAL's no-data tag; the
// key directory is plain TIFF data, so libtiff alone writes it, without
// libgeotiff and the PROJ libraries it would load.
const TIFFFieldInfo kGeoFields[] = {
    {TIFFTAG_GEOPIXELSCALE, -1, -1, TIFF_DOUBLE, FIELD_CUSTOM, 1, 1, kPixelScaleName},
    {TIFFTAG_GEOTIEPOINTS, -1, -1, TIFF_DOUBLE, FIELD_CUSTOM, 1, 1, kTiePointsName},
    {TIFFTAG_GEOKEYDIRECTORY, -1, -1, TIFF_SHORT, FIELD_CUSTOM, 1, 1, kKeyDirectoryName},
    {TIFFTAG_GEODOUBLEPARAMS, -1, -1, TIFF_DOUBLE, FIELD_CUSTOM, 1, 1, kDoubleParamsName},
    {TIFFTAG_GEOASCIIPARAMS, -1, -1, TIFF_ASCII, FIELD_CUSTOM, 1, 0, kAsciiParamsName},
    {TIFFTAG_GDAL_NODATA, -1, -1, TIFF_ASCII, FIELD_CUSTOM, 1, 0, kNoDataName},
};

decltype(&::TIFFMergeFieldInfo) merge_field_info = nullptr;
TIFFExtendProc previous_extender = nullptr;

// libtiff forgets merged fields at every new directory; its extender puts
// them back each time.
void ExtendTags(TIFF* file) {
  merge_field_info(file, kGeoFields, std::size(kGeoFields));
  if (previous_extender != nullptr) previous_extender(file);
}

void* Open(const char* soname) { return dlopen(soname, RTLD_LAZY | RTLD_LOCAL); }

bool ResolveWriting(void* library, TiffLibrary& t) {
  return ResolveSymbols(
      library, SymbolBinding{"TIFFFdOpen", &t.FdOpen}, SymbolBinding{"TIFFClientOpen", &t.ClientOpen},
      SymbolBinding{"TIFFClose", &t.Close}, SymbolBinding{"TIFFCleanup", &t.Cleanup},
      SymbolBinding{"TIFFSetField", &t.SetField}, SymbolBinding{"TIFFWriteEncodedStrip", &t.WriteEncodedStrip},
      SymbolBinding{"TIFFWriteEncodedTile", &t.WriteEncodedTile}, SymbolBinding{"TIFFWriteRawTile", &t.WriteRawTile},
      SymbolBinding{"TIFFGetStrileOffset", &t.StrileOffset},
      SymbolBinding{"TIFFGetStrileByteCount", &t.StrileByteCount}, SymbolBinding{"TIFFWriteCheck", &t.WriteCheck},
      SymbolBinding{"TIFFWriteDirectory", &t.WriteDirectory}, SymbolBinding{"TIFFSetDirectory", &t.SetDirectory},
      SymbolBinding{"TIFFDeferStrileArrayWriting", &t.DeferStrileArrayWriting},
      SymbolBinding{"TIFFForceStrileArrayWriting", &t.ForceStrileArrayWriting}, SymbolBinding{"TIFFFlush", &t.Flush},
      SymbolBinding{"TIFFIsCODECConfigured", &t.IsCodecConfigured});
}

// Failures come back as error codes with the program's own messages.
bool Configure(void* library) {
  decltype(&::TIFFSetErrorHandler) set_error_handler = nullptr;
  decltype(&::TIFFSetWarningHandler) set_warning_handler = nullptr;
  decltype(&::TIFFSetTagExtender) set_tag_extender = nullptr;
  if (!ResolveSymbols(library, SymbolBinding{"TIFFSetErrorHandler", &set_error_handler},
                      SymbolBinding{"TIFFSetWarningHandler", &set_warning_handler},
                      SymbolBinding{"TIFFSetTagExtender", &set_tag_extender},
                      SymbolBinding{"TIFFMergeFieldInfo", &merge_field_info})) {
    return false;
  }
  set_error_handler(nullptr);
  set_warning_handler(nullptr);
  previous_extender = set_tag_extender(ExtendTags);
  return true;
}

std::optional<TiffLibrary> Load() {
  void* library = Open(KORAVEL_LIBTIFF_SONAME);
  TiffLibrary tiff;
  if (library == nullptr || !ResolveWriting(library, tiff) || !Configure(library)) return std::nullopt;
  return tiff;
}

}  // namespace

const TiffLibrary* TiffLibrary::Get() {
  static const std::optional<TiffLibrary> library = Load();
  return library ? &*library : nullptr;
}

}  // namespace koravel
