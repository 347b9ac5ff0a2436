#include "core/geo/datum_converter.h"

#include <dlfcn.h>
#include <proj.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <vector>

#include "core/dynamic_symbol.h"

namespace koravel {
namespace {

constexpr double kNodeSpacing = 15;  // arc-seconds between interpolation nodes
constexpr double kSecondsPerDegree = 3600;
constexpr double kRadiansPerSecond = 3.14159265358979323846 / (180 * kSecondsPerDegree);
constexpr const char* kHelmert = "urn:ogc:def:coordinateOperation:EPSG::15484";
constexpr std::initializer_list<const char*> kGridNames = {"tky2jgd.gsb", "tky2jgd.tif"};
constexpr std::initializer_list<const char*> kEarthquakeGridNames = {"touhokutaiheiyouoki2011.gsb",
                                                                     "touhokutaiheiyouoki2011.tif"};

// PROJ brings some forty libraries with it (network, image formats); linked
// in, loading them would slow every start of the tool several times over, so
// it is opened at the first conversion instead.
struct ProjLibrary {
  decltype(&proj_context_create) context_create;
  decltype(&proj_context_destroy) context_destroy;
  decltype(&proj_log_level) log_level;
  decltype(&proj_context_set_enable_network) set_enable_network;
  decltype(&proj_create) create;
  decltype(&proj_destroy) destroy;
  decltype(&proj_trans) trans;

  // Nothing when the library or one of its functions is missing.
  static const ProjLibrary* Open() {
    static const std::optional<ProjLibrary> library = Bind(dlopen(KORAVEL_PROJ_LIBRARY, RTLD_NOW | RTLD_LOCAL));
    return library ? &*library : nullptr;
  }

 private:
  static std::optional<ProjLibrary> Bind(void* handle) {
    if (handle == nullptr) return std::nullopt;
    ProjLibrary library{};
    const bool bound = ResolveSymbol(handle, "proj_context_create", library.context_create) &&
                       ResolveSymbol(handle, "proj_context_destroy", library.context_destroy) &&
                       ResolveSymbol(handle, "proj_log_level", library.log_level) &&
                       ResolveSymbol(handle, "proj_context_set_enable_network", library.set_enable_network) &&
                       ResolveSymbol(handle, "proj_create", library.create) &&
                       ResolveSymbol(handle, "proj_destroy", library.destroy) &&
                       ResolveSymbol(handle, "proj_trans", library.trans);
    if (!bound) return std::nullopt;
    return library;
  }
};

std::filesystem::path DataFolder() {
  if (const char* folder = std::getenv("KORAVEL_DATA_DIR"); folder != nullptr && *folder != '\0') {
    return folder;
  }
  return KORAVEL_INSTALLED_DATA_DIR;
}

// The grid files to try, in order: the program's own folder first, then
// bare names that PROJ looks up on its search path.
std::vector<std::string> GridCandidates(std::initializer_list<const char*> names) {
  std::vector<std::string> candidates;
  for (const char* name : names) {
    const std::filesystem::path file = DataFolder() / name;
    std::error_code error;
    if (std::filesystem::is_regular_file(file, error)) candidates.push_back(file.string());
  }
  candidates.insert(candidates.end(), names.begin(), names.end());
  return candidates;
}

// A PROJ string value in double quotes, which doubles a quote inside it.
std::string Quoted(const std::string& value) {
  std::string quoted = "\"";
  for (char c : value) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + '"';
}

bool Converted(const PJ_COORD& coordinate) {
  return std::isfinite(coordinate.v[0]) && std::isfinite(coordinate.v[1]);
}

PJ_COORD Coordinate(double first, double second) {
  PJ_COORD coordinate{};
  coordinate.v[0] = first;
  coordinate.v[1] = second;
  return coordinate;
}

// PROJ's context and operations, set up once per thread: opening PROJ's
// database takes longer than reading a whole track file.
class ProjOperations {
 public:
  static ProjOperations& ForThisThread() {
    thread_local ProjOperations operations;
    return operations;
  }
  ProjOperations(const ProjOperations&) = delete;
  ProjOperations& operator=(const ProjOperations&) = delete;
  ~ProjOperations() {
    if (library_ == nullptr) return;
    for (PJ* operation : {grid_, helmert_, earthquake_}) {
      if (operation != nullptr) library_->destroy(operation);
    }
    if (context_ != nullptr) library_->context_destroy(context_);
  }

  DatumConversion Method() const {
    if (grid_ != nullptr) return DatumConversion::Grid;
    return helmert_ != nullptr ? DatumConversion::Helmert : DatumConversion::Unavailable;
  }
  const std::string& GridFile() const { return grid_file_; }

  // The grid where it covers the point, the Helmert elsewhere.
  std::optional<GeographicPoint> ToTokyo(GeographicPoint wgs84) const { return Convert(PJ_INV, wgs84); }

  std::optional<GeographicPoint> FromTokyo(GeographicPoint tokyo, JapaneseDatum datum) const {
    const std::optional<GeographicPoint> jgd2000 = Convert(PJ_FWD, tokyo);
    if (!jgd2000 || datum == JapaneseDatum::Jgd2000 || earthquake_ == nullptr) return jgd2000;
    // Outside the earthquake's grid the two datums agree.
    return GridShift(earthquake_, PJ_FWD, *jgd2000).value_or(*jgd2000);
  }

 private:
  ProjOperations() : library_(ProjLibrary::Open()) {
    if (library_ == nullptr || (context_ = library_->context_create()) == nullptr) return;
    // A point PROJ refuses is reported by our own result, not printed by PROJ.
    library_->log_level(context_, PJ_LOG_NONE);
    library_->set_enable_network(context_, 0);
    helmert_ = library_->create(context_, kHelmert);
    grid_ = OpenGrid(kGridNames, &grid_file_);
    earthquake_ = OpenGrid(kEarthquakeGridNames);
  }

  PJ* OpenGrid(std::initializer_list<const char*> names, std::string* file = nullptr) const {
    for (const std::string& candidate : GridCandidates(names)) {
      const std::string definition = "+proj=hgridshift +grids=" + Quoted(candidate);
      if (PJ* grid = library_->create(context_, definition.c_str())) {
        if (file != nullptr) *file = candidate;
        return grid;
      }
    }
    return nullptr;
  }

  std::optional<GeographicPoint> Convert(PJ_DIRECTION direction, GeographicPoint point) const {
    if (grid_ != nullptr) {
      if (std::optional<GeographicPoint> shifted = GridShift(grid_, direction, point)) return shifted;
    }
    if (helmert_ == nullptr) return std::nullopt;
    // The EPSG operation runs Tokyo to WGS 84 in degrees, latitude first.
    const PJ_COORD out = library_->trans(
        helmert_, direction, Coordinate(point.Latitude / kSecondsPerDegree, point.Longitude / kSecondsPerDegree));
    if (!Converted(out)) return std::nullopt;
    return GeographicPoint{out.v[0] * kSecondsPerDegree, out.v[1] * kSecondsPerDegree};
  }

  // A grid shifts towards the newer datum, radians in longitude-latitude order.
  std::optional<GeographicPoint> GridShift(PJ* grid, PJ_DIRECTION direction, GeographicPoint point) const {
    const PJ_COORD out = library_->trans(
        grid, direction, Coordinate(point.Longitude * kRadiansPerSecond, point.Latitude * kRadiansPerSecond));
    if (!Converted(out)) return std::nullopt;
    return GeographicPoint{out.v[1] / kRadiansPerSecond, out.v[0] / kRadiansPerSecond};
  }

  const ProjLibrary* library_;
  PJ_CONTEXT* context_ = nullptr;
  PJ* helmert_ = nullptr;
  PJ* grid_ = nullptr;
  PJ* earthquake_ = nullptr;
  std::string grid_file_;
};

}  // namespace

int EpsgCode(JapaneseDatum datum) { return datum == JapaneseDatum::Jgd2000 ? 4612 : 6668; }

DatumConverter::DatumConverter()
    : method_(ProjOperations::ForThisThread().Method()), grid_file_(ProjOperations::ForThisThread().GridFile()) {}

std::optional<GeographicPoint> DatumConverter::ToTokyo(GeographicPoint wgs84) {
  // A grid's shifts bend at its own nodes, so only the smooth Helmert field
  // is interpolated.
  if (method_ != DatumConversion::Helmert) return ProjOperations::ForThisThread().ToTokyo(wgs84);
  if (!(std::abs(wgs84.Latitude) <= 90 * kSecondsPerDegree) ||
      !(std::abs(wgs84.Longitude) <= 180 * kSecondsPerDegree)) {
    return std::nullopt;
  }
  const double row_position = wgs84.Latitude / kNodeSpacing;
  const double column_position = wgs84.Longitude / kNodeSpacing;
  const auto row = static_cast<std::int64_t>(std::floor(row_position));
  const auto column = static_cast<std::int64_t>(std::floor(column_position));
  // Where PROJ refuses a node nearby, the point goes to PROJ on its own.
  if (!LoadCell(row, column)) return ProjOperations::ForThisThread().ToTokyo(wgs84);
  const double north = row_position - static_cast<double>(row);
  const double east = column_position - static_cast<double>(column);
  const Shift* c = cell_->Corners;
  const auto blend = [&](double Shift::*part) {
    return (1 - north) * ((1 - east) * c[0].*part + east * c[1].*part) +
           north * ((1 - east) * c[2].*part + east * c[3].*part);
  };
  return GeographicPoint{wgs84.Latitude + blend(&Shift::Latitude), wgs84.Longitude + blend(&Shift::Longitude)};
}

// A track mostly stays within one cell from point to point, so the cell's
// corners are kept at hand and the nodes of earlier cells in a table.
bool DatumConverter::LoadCell(std::int64_t row, std::int64_t column) {
  if (cell_ && cell_->Row == row && cell_->Column == column) return true;
  Cell cell{row, column, {}};
  for (int corner = 0; corner < 4; ++corner) {
    const std::optional<Shift> shift = NodeShift(row + corner / 2, column + corner % 2);
    if (!shift) return false;
    cell.Corners[corner] = *shift;
  }
  cell_ = cell;
  return true;
}

std::optional<GeographicPoint> DatumConverter::FromTokyo(GeographicPoint tokyo, JapaneseDatum datum) const {
  return ProjOperations::ForThisThread().FromTokyo(tokyo, datum);
}

std::optional<DatumConverter::Shift> DatumConverter::NodeShift(std::int64_t row, std::int64_t column) {
  constexpr std::int64_t kColumnsPerRow = 1'000'000;  // more than the nodes around the earth
  const auto [entry, added] = nodes_.try_emplace(row * kColumnsPerRow + column);
  if (added) {
    const GeographicPoint node{static_cast<double>(row) * kNodeSpacing, static_cast<double>(column) * kNodeSpacing};
    if (const std::optional<GeographicPoint> tokyo = ProjOperations::ForThisThread().ToTokyo(node)) {
      entry->second = Shift{tokyo->Latitude - node.Latitude, tokyo->Longitude - node.Longitude};
    }
  }
  return entry->second;
}

std::string DescribeDatumConversion(const DatumConverter& converter) {
  switch (converter.Method()) {
    case DatumConversion::Grid: return "WGS 84 to Tokyo by the grid " + converter.GridFile();
    case DatumConversion::Helmert: return "WGS 84 to Tokyo by EPSG:15484 (Helmert, about 9 m)";
    case DatumConversion::Unavailable: return "unavailable (PROJ could not set it up)";
  }
  return {};
}

}  // namespace koravel
