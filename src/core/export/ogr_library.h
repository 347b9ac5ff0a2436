#pragma once

#include <cpl_error.h>
#include <cpl_vsi.h>
#include <gdal.h>
#include <ogr_api.h>
#include <ogr_srs_api.h>

namespace koravel {

/// GDAL's vector half (OGR), loaded the first time vector lines are written.
/// GDAL and the libraries behind it take longer to load than the tool takes
/// for most of its commands, which never need it.
struct OgrLibrary {
  decltype(&::GDALGetDriverByName) GetDriverByName = nullptr;
  decltype(&::GDALCreate) Create = nullptr;
  decltype(&::GDALClose) Close = nullptr;
  decltype(&::GDALDatasetCreateLayer) CreateLayer = nullptr;
  decltype(&::GDALDatasetStartTransaction) StartTransaction = nullptr;
  decltype(&::GDALDatasetCommitTransaction) CommitTransaction = nullptr;
  decltype(&::OGR_Fld_Create) CreateFieldDefinition = nullptr;
  decltype(&::OGR_Fld_Destroy) DestroyFieldDefinition = nullptr;
  decltype(&::OGR_L_CreateField) CreateField = nullptr;
  decltype(&::OGR_L_GetLayerDefn) LayerDefinition = nullptr;
  decltype(&::OGR_L_CreateFeature) CreateFeature = nullptr;
  decltype(&::OGR_F_Create) NewFeature = nullptr;
  decltype(&::OGR_F_Destroy) DestroyFeature = nullptr;
  decltype(&::OGR_F_SetFieldDouble) SetFieldDouble = nullptr;
  decltype(&::OGR_F_SetGeometryDirectly) SetGeometryDirectly = nullptr;
  decltype(&::OGR_G_CreateGeometry) CreateGeometry = nullptr;
  decltype(&::OGR_G_AddPoint) AddPoint = nullptr;
  decltype(&::OGR_G_AddPoint_2D) AddPoint2D = nullptr;
  decltype(&::OSRNewSpatialReference) NewSpatialReference = nullptr;
  decltype(&::OSRImportFromEPSG) ImportFromEpsg = nullptr;
  decltype(&::OSRSetAxisMappingStrategy) SetAxisMappingStrategy = nullptr;
  decltype(&::OSRRelease) ReleaseSpatialReference = nullptr;
  decltype(&::OCTNewCoordinateTransformation) NewTransformation = nullptr;
  decltype(&::OCTTransform) Transform = nullptr;
  decltype(&::OCTDestroyCoordinateTransformation) DestroyTransformation = nullptr;
  decltype(&::VSIGetMemFileBuffer) TakeMemoryFile = nullptr;
  decltype(&::VSIFree) Free = nullptr;
  decltype(&::VSIUnlink) Unlink = nullptr;
  decltype(&::CPLErrorReset) ResetError = nullptr;
  decltype(&::CPLGetLastErrorType) LastErrorType = nullptr;

  /// The library with its drivers registered and its messages on standard
  /// error silenced, or nullptr when GDAL is not installed. Safe to call
  /// from several threads.
  static const OgrLibrary* Get();
};

}  // namespace koravel
