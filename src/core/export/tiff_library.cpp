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

bool ResolveWriting(void* library, TiffLibrary& tiff) {
  return ResolveSymbol(library, "TIFFFdOpen", tiff.FdOpen) &&
         ResolveSymbol(library, "TIFFClientOpen", tiff.ClientOpen) &&
         ResolveSymbol(library, "TIFFClose", tiff.Close) && ResolveSymbol(library, "TIFFCleanup", tiff.Cleanup) &&
         ResolveSymbol(library, "TIFFSetField", tiff.SetField) &&
         ResolveSymbol(library, "TIFFWriteEncodedStrip", tiff.WriteEncodedStrip) &&
         ResolveSymbol(library, "TIFFWriteEncodedTile", tiff.WriteEncodedTile) &&
         ResolveSymbol(library, "TIFFWriteRawTile", tiff.WriteRawTile) &&
         ResolveSymbol(library, "TIFFGetStrileOffset", tiff.StrileOffset) &&
         ResolveSymbol(library, "TIFFGetStrileByteCount", tiff.StrileByteCount) &&
         ResolveSymbol(library, "TIFFWriteCheck", tiff.WriteCheck) &&
         ResolveSymbol(library, "TIFFWriteDirectory", tiff.WriteDirectory) &&
         ResolveSymbol(library, "TIFFSetDirectory", tiff.SetDirectory) &&
         ResolveSymbol(library, "TIFFDeferStrileArrayWriting", tiff.DeferStrileArrayWriting) &&
         ResolveSymbol(library, "TIFFForceStrileArrayWriting", tiff.ForceStrileArrayWriting) &&
         ResolveSymbol(library, "TIFFFlush", tiff.Flush) &&
         ResolveSymbol(library, "TIFFIsCODECConfigured", tiff.IsCodecConfigured);
}

// Failures come back as error codes with the program's own messages.
bool Configure(void* library) {
  decltype(&::TIFFSetErrorHandler) set_error_handler = nullptr;
  decltype(&::TIFFSetWarningHandler) set_warning_handler = nullptr;
  decltype(&::TIFFSetTagExtender) set_tag_extender = nullptr;
  if (!ResolveSymbol(library, "TIFFSetErrorHandler", set_error_handler) ||
      !ResolveSymbol(library, "TIFFSetWarningHandler", set_warning_handler) ||
      !ResolveSymbol(library, "TIFFSetTagExtender", set_tag_extender) ||
      !ResolveSymbol(library, "TIFFMergeFieldInfo", merge_field_info)) {
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
