#include "core/export/ogr_library.h"

#include <dlfcn.h>

#include <optional>

#include "core/dynamic_symbol.h"

namespace koravel {
namespace {

bool ResolveDatasets(void* library, OgrLibrary& ogr) {
  return ResolveSymbol(library, "GDALGetDriverByName", ogr.GetDriverByName) &&
         ResolveSymbol(library, "GDALCreate", ogr.Create) && ResolveSymbol(library, "GDALClose", ogr.Close) &&
         ResolveSymbol(library, "GDALDatasetCreateLayer", ogr.CreateLayer) &&
         ResolveSymbol(library, "GDALDatasetStartTransaction", ogr.StartTransaction) &&
         ResolveSymbol(library, "GDALDatasetCommitTransaction", ogr.CommitTransaction) &&
         ResolveSymbol(library, "VSIGetMemFileBuffer", ogr.TakeMemoryFile) &&
         ResolveSymbol(library, "VSIFree", ogr.Free) && ResolveSymbol(library, "VSIUnlink", ogr.Unlink) &&
         ResolveSymbol(library, "CPLErrorReset", ogr.ResetError) &&
         ResolveSymbol(library, "CPLGetLastErrorType", ogr.LastErrorType);
}

bool ResolveFeatures(void* library, OgrLibrary& ogr) {
  return ResolveSymbol(library, "OGR_Fld_Create", ogr.CreateFieldDefinition) &&
         ResolveSymbol(library, "OGR_Fld_Destroy", ogr.DestroyFieldDefinition) &&
         ResolveSymbol(library, "OGR_L_CreateField", ogr.CreateField) &&
         ResolveSymbol(library, "OGR_L_GetLayerDefn", ogr.LayerDefinition) &&
         ResolveSymbol(library, "OGR_L_CreateFeature", ogr.CreateFeature) &&
         ResolveSymbol(library, "OGR_F_Create", ogr.NewFeature) &&
         ResolveSymbol(library, "OGR_F_Destroy", ogr.DestroyFeature) &&
         ResolveSymbol(library, "OGR_F_SetFieldDouble", ogr.SetFieldDouble) &&
         ResolveSymbol(library, "OGR_F_SetGeometryDirectly", ogr.SetGeometryDirectly) &&
         ResolveSymbol(library, "OGR_G_CreateGeometry", ogr.CreateGeometry) &&
         ResolveSymbol(library, "OGR_G_AddPoint", ogr.AddPoint) &&
         ResolveSymbol(library, "OGR_G_AddPoint_2D", ogr.AddPoint2D);
}

bool ResolveReferenceSystems(void* library, OgrLibrary& ogr) {
  return ResolveSymbol(library, "OSRNewSpatialReference", ogr.NewSpatialReference) &&
         ResolveSymbol(library, "OSRImportFromEPSG", ogr.ImportFromEpsg) &&
         ResolveSymbol(library, "OSRSetAxisMappingStrategy", ogr.SetAxisMappingStrategy) &&
         ResolveSymbol(library, "OSRRelease", ogr.ReleaseSpatialReference) &&
         ResolveSymbol(library, "OCTNewCoordinateTransformation", ogr.NewTransformation) &&
         ResolveSymbol(library, "OCTTransform", ogr.Transform) &&
         ResolveSymbol(library, "OCTDestroyCoordinateTransformation", ogr.DestroyTransformation);
}

std::optional<OgrLibrary> Load() {
  // GDAL drags in some hundred libraries; binding their symbols lazily
  // saves most of the time it takes to open.
  void* library = dlopen(KORAVEL_GDAL_SONAME, RTLD_LAZY | RTLD_LOCAL);
  OgrLibrary ogr;
  decltype(&::GDALAllRegister) register_all = nullptr;
  decltype(&::CPLSetErrorHandler) set_error_handler = nullptr;
  decltype(&::CPLQuietErrorHandler) quiet = nullptr;
  if (library == nullptr || !ResolveDatasets(library, ogr) || !ResolveFeatures(library, ogr) ||
      !ResolveReferenceSystems(library, ogr) || !ResolveSymbol(library, "GDALAllRegister", register_all) ||
      !ResolveSymbol(library, "CPLSetErrorHandler", set_error_handler) ||
      !ResolveSymbol(library, "CPLQuietErrorHandler", quiet)) {
    return std::nullopt;
  }
  // Failures come back as error codes with the program's own messages.
  set_error_handler(quiet);
  register_all();
  return ogr;
}

}  // namespace

const OgrLibrary* OgrLibrary::Get() {
  static const std::optional<OgrLibrary> library = Load();
  return library ? &*library : nullptr;
}

}  // namespace koravel
