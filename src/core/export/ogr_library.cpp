#include "core/export/ogr_library.h"

#include <dlfcn.h>

#include <optional>

#include "core/dynamic_symbol.h"

namespace koravel {
namespace {

// Everything the library must have; the last three are used once, here.
struct Setup {
  decltype(&::GDALAllRegister) register_all = nullptr;
  decltype(&::CPLSetErrorHandler) set_error_handler = nullptr;
  decltype(&::CPLQuietErrorHandler) quiet = nullptr;
};

bool Resolve(void* library, OgrLibrary& o, Setup& s) {
  return ResolveSymbols(
      library, SymbolBinding{"GDALGetDriverByName", &o.GetDriverByName}, SymbolBinding{"GDALCreate", &o.Create},
      SymbolBinding{"GDALClose", &o.Close}, SymbolBinding{"GDALDatasetCreateLayer", &o.CreateLayer},
      SymbolBinding{"GDALDatasetStartTransaction", &o.StartTransaction},
      SymbolBinding{"GDALDatasetCommitTransaction", &o.CommitTransaction},
      SymbolBinding{"OGR_Fld_Create", &o.CreateFieldDefinition},
      SymbolBinding{"OGR_Fld_Destroy", &o.DestroyFieldDefinition},
      SymbolBinding{"OGR_L_CreateField", &o.CreateField}, SymbolBinding{"OGR_L_GetLayerDefn", &o.LayerDefinition},
      SymbolBinding{"OGR_L_CreateFeature", &o.CreateFeature}, SymbolBinding{"OGR_F_Create", &o.NewFeature},
      SymbolBinding{"OGR_F_Destroy", &o.DestroyFeature}, SymbolBinding{"OGR_F_SetFieldDouble", &o.SetFieldDouble},
      SymbolBinding{"OGR_F_SetGeometryDirectly", &o.SetGeometryDirectly},
      SymbolBinding{"OGR_G_CreateGeometry", &o.CreateGeometry}, SymbolBinding{"OGR_G_AddPoint", &o.AddPoint},
      SymbolBinding{"OGR_G_AddPoint_2D", &o.AddPoint2D},
      SymbolBinding{"OSRNewSpatialReference", &o.NewSpatialReference},
      SymbolBinding{"OSRImportFromEPSG", &o.ImportFromEpsg},
      SymbolBinding{"OSRSetAxisMappingStrategy", &o.SetAxisMappingStrategy},
      SymbolBinding{"OSRRelease", &o.ReleaseSpatialReference},
      SymbolBinding{"OCTNewCoordinateTransformation", &o.NewTransformation},
      SymbolBinding{"OCTTransform", &o.Transform},
      SymbolBinding{"OCTDestroyCoordinateTransformation", &o.DestroyTransformation},
      SymbolBinding{"VSIGetMemFileBuffer", &o.TakeMemoryFile}, SymbolBinding{"VSIFree", &o.Free},
      SymbolBinding{"VSIUnlink", &o.Unlink}, SymbolBinding{"CPLErrorReset", &o.ResetError},
      SymbolBinding{"CPLGetLastErrorType", &o.LastErrorType}, SymbolBinding{"GDALAllRegister", &s.register_all},
      SymbolBinding{"CPLSetErrorHandler", &s.set_error_handler}, SymbolBinding{"CPLQuietErrorHandler", &s.quiet});
}

std::optional<OgrLibrary> Load() {
  // GDAL drags in some hundred libraries; binding their symbols lazily
  // saves most of the time it takes to open.
  void* library = dlopen(KORAVEL_GDAL_SONAME, RTLD_LAZY | RTLD_LOCAL);
  OgrLibrary ogr;
  Setup setup;
  if (library == nullptr || !Resolve(library, ogr, setup)) return std::nullopt;
  // Failures come back as error codes with the program's own messages.
  setup.set_error_handler(setup.quiet);
  setup.register_all();
  return ogr;
}

}  // namespace

const OgrLibrary* OgrLibrary::Get() {
  static const std::optional<OgrLibrary> library = Load();
  return library ? &*library : nullptr;
}

}  // namespace koravel
