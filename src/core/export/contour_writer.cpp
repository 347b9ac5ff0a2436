#include "core/export/contour_writer.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "core/export/ogr_library.h"
#include "core/geo/datum_converter.h"
#include "core/io/save_file.h"

namespace koravel {
namespace {

constexpr int kWgs84 = 4326;
constexpr double kSecondsPerDegree = 3600;

struct FormatTraits {
  const char* driver;
  const char* extension;
  const char* layer_options[2];
  OGRwkbGeometryType geometry;
  bool has_attributes;  // DXF keeps the height as Z alone
};

const FormatTraits& TraitsOf(VectorFormat format) {
  static const FormatTraits kGeoJson{"GeoJSON", ".geojson", {"RFC7946=YES", nullptr}, wkbLineString, true};
  static const FormatTraits kGeoPackage{"GPKG", ".gpkg", {nullptr, nullptr}, wkbLineString, true};
  static const FormatTraits kDxf{"DXF", ".dxf", {nullptr, nullptr}, wkbLineString25D, false};
  switch (format) {
    case VectorFormat::GeoJson: return kGeoJson;
    case VectorFormat::GeoPackage: return kGeoPackage;
    case VectorFormat::Dxf: return kDxf;
  }
  return kGeoJson;
}

// A coordinate system of OGR's, x east and y north whatever the EPSG's order.
class ReferenceSystem {
 public:
  ReferenceSystem(const OgrLibrary& ogr, int epsg) : ogr_(ogr), handle_(ogr.NewSpatialReference(nullptr)) {
    known_ = handle_ != nullptr && ogr.ImportFromEpsg(handle_, epsg) == OGRERR_NONE;
    if (known_) ogr.SetAxisMappingStrategy(handle_, OAMS_TRADITIONAL_GIS_ORDER);
  }
  ~ReferenceSystem() {
    if (handle_ != nullptr) ogr_.ReleaseSpatialReference(handle_);
  }
  ReferenceSystem(const ReferenceSystem&) = delete;
  ReferenceSystem& operator=(const ReferenceSystem&) = delete;

  bool Known() const { return known_; }
  OGRSpatialReferenceH Handle() const { return handle_; }

 private:
  const OgrLibrary& ogr_;
  OGRSpatialReferenceH handle_;
  bool known_ = false;
};

// The lines' vertices on WGS 84 and, when asked, in another system.
class Positions {
 public:
  // With `target` nullptr the positions stay on WGS 84.
  Positions(const OgrLibrary& ogr, const MeshDocument& mesh, const ReferenceSystem& wgs84,
            const ReferenceSystem* target)
      : ogr_(ogr),
        georeference_(MeshGeoreference::Of(mesh)),
        transformation_(target == nullptr ? nullptr : ogr.NewTransformation(wgs84.Handle(), target->Handle())),
        ready_(target == nullptr || transformation_ != nullptr) {}
  ~Positions() {
    if (transformation_ != nullptr) ogr_.DestroyTransformation(transformation_);
  }
  Positions(const Positions&) = delete;
  Positions& operator=(const Positions&) = delete;

  // Whether PROJ knows a way to the target system.
  bool Ready() const { return ready_; }

  // x (east) and y (north) of every point; an error where one cannot be had.
  std::optional<ErrorCode> Place(const std::vector<GridPoint>& points, std::vector<double>& x, std::vector<double>& y) {
    x.clear();
    y.clear();
    for (const GridPoint& point : points) {
      const std::optional<GeographicPoint> wgs84 =
          converter_.FromTokyo(georeference_.ToGeographic(point), JapaneseDatum::Jgd2000);
      if (!wgs84) return ErrorCode::DatumConversionUnavailable;
      x.push_back(wgs84->Longitude / kSecondsPerDegree);
      y.push_back(wgs84->Latitude / kSecondsPerDegree);
    }
    if (transformation_ == nullptr) return std::nullopt;
    const bool moved = ogr_.Transform(transformation_, static_cast<int>(x.size()), x.data(), y.data(), nullptr);
    return moved ? std::nullopt : std::optional(ErrorCode::VectorWriteFailed);
  }

 private:
  const OgrLibrary& ogr_;
  const MeshGeoreference georeference_;
  const DatumConverter converter_;
  OGRCoordinateTransformationH transformation_;
  bool ready_;
};

std::string MemoryFileName(const char* extension) {
  static std::atomic<int> files{0};
  return "/vsimem/koravel-contours-" + std::to_string(files++) + extension;
}

// A vector file that OGR makes in GDAL's memory file system, taken out whole
// when finished: GDAL's drivers write by file name, the program's one writer
// by descriptor.
class MemoryDataset {
 public:
  MemoryDataset(const OgrLibrary& ogr, VectorFormat format)
      : ogr_(ogr), traits_(TraitsOf(format)), name_(MemoryFileName(traits_.extension)) {}
  ~MemoryDataset() {
    if (dataset_ != nullptr) ogr_.Close(dataset_);
    ogr_.Unlink(name_.c_str());
  }
  MemoryDataset(const MemoryDataset&) = delete;
  MemoryDataset& operator=(const MemoryDataset&) = delete;

  std::optional<ErrorCode> Open(const ReferenceSystem& system) {
    GDALDriverH driver = ogr_.GetDriverByName(traits_.driver);
    if (driver == nullptr) return ErrorCode::VectorLibraryMissing;
    dataset_ = ogr_.Create(driver, name_.c_str(), 0, 0, 0, GDT_Unknown, nullptr);
    if (dataset_ == nullptr) return ErrorCode::VectorWriteFailed;
    layer_ = ogr_.CreateLayer(dataset_, "contour", system.Handle(), traits_.geometry,
                              const_cast<char**>(traits_.layer_options));
    if (layer_ == nullptr) return ErrorCode::VectorWriteFailed;
    if (traits_.has_attributes && !AddElevationField()) return ErrorCode::VectorWriteFailed;
    // One transaction makes a GeoPackage of thousands of lines in a moment;
    // the other formats have none to start.
    in_transaction_ = ogr_.StartTransaction(dataset_, FALSE) == OGRERR_NONE;
    return std::nullopt;
  }

  bool AddElevationField() {
    OGRFieldDefnH field = ogr_.CreateFieldDefinition("elevation", OFTReal);
    const bool added = ogr_.CreateField(layer_, field, TRUE) == OGRERR_NONE;
    ogr_.DestroyFieldDefinition(field);
    return added;
  }

  bool Add(const std::vector<double>& x, const std::vector<double>& y, double metres) {
    OGRFeatureH feature = ogr_.NewFeature(ogr_.LayerDefinition(layer_));
    if (traits_.has_attributes) ogr_.SetFieldDouble(feature, 0, metres);
    OGRGeometryH line = ogr_.CreateGeometry(traits_.geometry);
    for (std::size_t i = 0; i < x.size(); ++i) {
      if (traits_.geometry == wkbLineString25D) {
        ogr_.AddPoint(line, x[i], y[i], metres);
      } else {
        ogr_.AddPoint2D(line, x[i], y[i]);
      }
    }
    ogr_.SetGeometryDirectly(feature, line);
    const bool created = ogr_.CreateFeature(layer_, feature) == OGRERR_NONE;
    ogr_.DestroyFeature(feature);
    return created;
  }

  std::variant<std::string, ErrorCode> Finish() {
    if (in_transaction_ && ogr_.CommitTransaction(dataset_) != OGRERR_NONE) return ErrorCode::VectorWriteFailed;
    ogr_.ResetError();
    ogr_.Close(std::exchange(dataset_, nullptr));
    if (ogr_.LastErrorType() >= CE_Failure) return ErrorCode::VectorWriteFailed;
    vsi_l_offset length = 0;
    GByte* bytes = ogr_.TakeMemoryFile(name_.c_str(), &length, TRUE);
    if (bytes == nullptr) return ErrorCode::VectorWriteFailed;
    std::string contents(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(length));
    ogr_.Free(bytes);
    return contents;
  }

 private:
  const OgrLibrary& ogr_;
  const FormatTraits& traits_;
  const std::string name_;
  GDALDatasetH dataset_ = nullptr;
  OGRLayerH layer_ = nullptr;
  bool in_transaction_ = false;
};

std::variant<std::string, ErrorCode> VectorFile(const OgrLibrary& ogr, const MeshDocument& mesh,
                                                std::span<const ContourLine> lines, VectorFormat format,
                                                std::optional<int> epsg) {
  const ReferenceSystem wgs84(ogr, kWgs84);
  const ReferenceSystem target(ogr, epsg.value_or(kWgs84));
  if (!wgs84.Known() || !target.Known()) return ErrorCode::UnknownCoordinateSystem;
  Positions positions(ogr, mesh, wgs84, epsg.value_or(kWgs84) == kWgs84 ? nullptr : &target);
  if (!positions.Ready()) return ErrorCode::UnknownCoordinateSystem;
  MemoryDataset dataset(ogr, format);
  if (const std::optional<ErrorCode> failure = dataset.Open(target)) return *failure;
  std::vector<double> x, y;
  for (const ContourLine& line : lines) {
    if (const std::optional<ErrorCode> failure = positions.Place(line.Points, x, y)) return *failure;
    if (!dataset.Add(x, y, line.Metres)) return ErrorCode::VectorWriteFailed;
  }
  return dataset.Finish();
}

}  // namespace

std::optional<VectorFormat> VectorFormatOf(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (const VectorFormat format : {VectorFormat::GeoJson, VectorFormat::GeoPackage, VectorFormat::Dxf}) {
    if (extension == TraitsOf(format).extension) return format;
  }
  return std::nullopt;
}

std::optional<ErrorCode> WriteContours(const MeshDocument& mesh, std::span<const ContourLine> lines,
                                       const std::filesystem::path& path, std::optional<int> epsg) {
  const std::optional<VectorFormat> format = VectorFormatOf(path);
  if (!format) return ErrorCode::UnsupportedContourFormat;
  if (*format == VectorFormat::GeoJson && epsg.value_or(kWgs84) != kWgs84) return ErrorCode::GeoJsonIsWgs84;
  const OgrLibrary* ogr = OgrLibrary::Get();
  if (ogr == nullptr) return ErrorCode::VectorLibraryMissing;
  const std::variant<std::string, ErrorCode> contents = VectorFile(*ogr, mesh, lines, *format, epsg);
  if (const ErrorCode* failure = std::get_if<ErrorCode>(&contents)) return *failure;
  return WriteFileContents(path, std::get<std::string>(contents));
}

}  // namespace koravel
