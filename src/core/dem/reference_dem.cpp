#include "core/dem/reference_dem.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "core/text/full_width_text.h"
#include "core/text/lenient_number.h"

namespace koravel {
namespace {

// Arc-seconds read around the mesh beyond its corners on JGD2011: more than
// two points of the coarsest model, and more than JGD2000 differs from it.
constexpr double kAreaMargin = 1;
constexpr std::size_t kCommentWidth = 40;
constexpr std::string_view kSourceHead = "基盤地図情報数値標高モデル";
constexpr std::string_view kSourceTail = "から作成";

// The data types are ASCII, whose full-width forms all lie in U+3000..U+FF5E.
std::string FullWidth(std::string_view ascii) {
  std::string utf8;
  for (const char32_t c : ToFullWidth(std::u32string(ascii.begin(), ascii.end()))) {
    utf8 += {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
             static_cast<char>(0x80 | (c & 0x3F))};
  }
  return utf8;
}

// "基盤地図情報数値標高モデルＤＥＭ５Ａから作成", the types left out where
// they are not the survey's codes or would not fit the comment.
std::string SourceOf(const std::vector<std::string>& data_types) {
  const bool known = std::all_of(data_types.begin(), data_types.end(), [](const std::string& type) {
    return std::find(kDemDataTypes.begin(), kDemDataTypes.end(), type) != kDemDataTypes.end();
  });
  std::string types;
  for (const std::string& type : known ? data_types : std::vector<std::string>()) {
    types += (types.empty() ? "" : "・") + FullWidth(type);
  }
  const std::string source = std::string(kSourceHead) + types + std::string(kSourceTail);
  return CountCharacters(source) <= kCommentWidth ? source : std::string(kSourceHead) + std::string(kSourceTail);
}

std::array<GeographicPoint, 4> Corners(const MeshGeoreference& frame) {
  const double east = frame.WestLongitude + kMeshSize * frame.LongitudeStep;
  return {{{frame.SouthLatitude, frame.WestLongitude},
           {frame.SouthLatitude, east},
           {frame.NorthLatitude, frame.WestLongitude},
           {frame.NorthLatitude, east}}};
}

// Where the mesh lies on JGD2011, with a margin, or nothing without PROJ.
std::optional<GeographicBox> AreaOf(const MeshGeoreference& frame, const DatumConverter& converter) {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  GeographicBox area{kInfinity, kInfinity, -kInfinity, -kInfinity};
  for (const GeographicPoint corner : Corners(frame)) {
    const std::optional<GeographicPoint> jgd = converter.FromTokyo(corner, JapaneseDatum::Jgd2011);
    if (!jgd) return std::nullopt;
    area = {std::min(area.South, jgd->Latitude - kAreaMargin), std::min(area.West, jgd->Longitude - kAreaMargin),
            std::max(area.North, jgd->Latitude + kAreaMargin), std::max(area.East, jgd->Longitude + kAreaMargin)};
  }
  return area;
}

// The model's points around the mesh, held together for the sampling.
class ModelWindow {
 public:
  ModelWindow(const DemMosaic& mosaic, const std::vector<GridPoint>& points) {
    double west = mosaic.Columns(), north = mosaic.Rows(), east = -1, south = -1;
    for (const GridPoint p : points) {
      west = std::min(west, std::floor(p.X)), north = std::min(north, std::floor(p.Y));
      east = std::max(east, std::floor(p.X) + 1), south = std::max(south, std::floor(p.Y) + 1);
    }
    column_ = static_cast<int>(std::max(west, 0.0));
    row_ = static_cast<int>(std::max(north, 0.0));
    columns_ = std::max(0, static_cast<int>(std::min<double>(east, mosaic.Columns() - 1)) - column_ + 1);
    rows_ = std::max(0, static_cast<int>(std::min<double>(south, mosaic.Rows() - 1)) - row_ + 1);
    heights_.resize(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_));
    for (int row = 0; row < rows_; ++row) {
      mosaic.FillRow(row_ + row, column_, std::span(heights_).subspan(static_cast<std::size_t>(row * columns_),
                                                                      static_cast<std::size_t>(columns_)));
    }
  }

  // The height bilinear between the four points around `p`, in tenths.
  std::int32_t Tenths(GridPoint p) const {
    const double column = std::floor(p.X), row = std::floor(p.Y);
    const std::array<float, 4> corners = {At(column, row), At(column + 1, row), At(column, row + 1),
                                          At(column + 1, row + 1)};
    if (std::find(corners.begin(), corners.end(), kDemNoData) != corners.end()) return kNoData;
    const double east = p.X - column, south = p.Y - row;
    const double metres = (1 - south) * ((1 - east) * corners[0] + east * corners[1]) +
                          south * ((1 - east) * corners[2] + east * corners[3]);
    return RoundHalfEven<std::int32_t>(metres * 10).value_or(kNoData);
  }

 private:
  float At(double column, double row) const {
    const double x = column - column_, y = row - row_;
    if (!(x >= 0 && x < columns_ && y >= 0 && y < rows_)) return kDemNoData;
    return heights_[static_cast<std::size_t>(y) * static_cast<std::size_t>(columns_) + static_cast<std::size_t>(x)];
  }

  int column_ = 0, row_ = 0, columns_ = 0, rows_ = 0;
  std::vector<float> heights_;
};

// Each cell's centre as a position among the model's points, whose centres
// lie on whole numbers; not finite where PROJ cannot convert it.
std::vector<GridPoint> CentresOnModel(const MeshGeoreference& mesh, const DemMosaic& mosaic,
                                      const DatumConverter& converter) {
  const MeshGeoreference& model = mosaic.Frame();
  std::vector<GridPoint> points;
  points.reserve(kMeshSize * kMeshSize);
  for (int y = 1; y <= kMeshSize; ++y) {
    for (int x = 1; x <= kMeshSize; ++x) {
      const GeographicPoint corner = mesh.CellSouthWest(x, y);
      const std::optional<GeographicPoint> centre = converter.FromTokyo(
          {corner.Latitude + mesh.LatitudeStep / 2, corner.Longitude + mesh.LongitudeStep / 2}, mosaic.Datum());
      const GridPoint position = centre ? model.ToGrid(*centre) : GridPoint{NAN, NAN};
      points.push_back({position.X - 0.5, position.Y - 0.5});
    }
  }
  return points;
}

}  // namespace

ReferenceDem::ReferenceDem(std::vector<std::int32_t> tenths, std::string source)
    : tenths_(std::move(tenths)), source_(std::move(source)) {}

ReferenceDemResult SampleReferenceDem(const MeshDocument& mesh, const std::vector<std::filesystem::path>& inputs,
                                      DemReadOptions options, const ProgressReport& progress) {
  const MeshGeoreference frame = MeshGeoreference::Of(mesh);
  const DatumConverter converter;
  options.Within = AreaOf(frame, converter);
  if (!options.Within) return {std::nullopt, DemInputReport::Failed(ErrorCode::DatumConversionUnavailable)};
  DemMosaicResult read = ReadDemMosaic(inputs, options, progress);
  if (!read.Mosaic) return {std::nullopt, std::move(read.Report)};
  std::vector<GridPoint> points = CentresOnModel(frame, *read.Mosaic, converter);
  std::vector<GridPoint> converted;
  std::copy_if(points.begin(), points.end(), std::back_inserter(converted),
               [](GridPoint p) { return std::isfinite(p.X) && std::isfinite(p.Y); });
  const ModelWindow window(*read.Mosaic, converted);
  std::vector<std::int32_t> tenths(points.size());
  std::transform(points.begin(), points.end(), tenths.begin(), [&window](GridPoint p) { return window.Tenths(p); });
  return {ReferenceDem(std::move(tenths), SourceOf(read.Mosaic->DataTypes())), std::move(read.Report)};
}

DemInputReport FillMeshFromDem(MeshDocument& mesh, const std::vector<std::filesystem::path>& inputs,
                               const DemReadOptions& options, const ProgressReport& progress) {
  ReferenceDemResult sampled = SampleReferenceDem(mesh, inputs, options, progress);
  if (!sampled.Reference) return sampled.Report;
  mesh.MaxElevation = 0;
  mesh.MinElevation = 9999;
  for (int y = 1; y <= kMeshSize; ++y) {
    mesh.RecordFlag[y] = 1;
    for (int x = 1; x <= kMeshSize; ++x) {
      const std::int32_t tenths = sampled.Reference->Elevation(x, y);
      mesh.SetElevation(x, y, tenths);
      mesh.MaxElevation = std::max(mesh.MaxElevation, tenths);
      if (tenths != kNoData && tenths < mesh.MinElevation) mesh.MinElevation = static_cast<std::int16_t>(tenths);
    }
  }
  mesh.RecordCount = kMeshSize;
  mesh.MeshComment = Cp932Text(sampled.Reference->Source());
  return sampled.Report;
}

}  // namespace koravel
