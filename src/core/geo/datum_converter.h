#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

#include "core/geo/mesh_georeference.h"

namespace koravel {

/// How positions on WGS 84 reach the Tokyo datum.
enum class DatumConversion {
  Grid,         ///< the national grid tky2jgd (NTv2 or GeoTIFF), about 0.2 m
  Helmert,      ///< EPSG:15484 "Tokyo to WGS 84 (108)", about 9 m over Japan
  Unavailable,  ///< PROJ could not set up either
};

/// The datums of the survey's newer elevation models, as far as horizontal
/// positions go (JGD2024 keeps JGD2011's).
enum class JapaneseDatum {
  Jgd2000,  ///< EPSG:4612
  Jgd2011,  ///< EPSG:6668
};

/// The EPSG code of `datum`'s geographic system: 4612 or 6668.
int EpsgCode(JapaneseDatum datum);

/// Converts positions on WGS 84 (and JGD2000 or JGD2011, which differ from it
/// by far less than a cell) to the Tokyo datum with PROJ, offline.
///
/// The grid is used where `tky2jgd.gsb` or `tky2jgd.tif` lies in the data
/// folder (`KORAVEL_DATA_DIR` in the environment, else `<prefix>/share/koravel`)
/// or on PROJ's search path; otherwise the Helmert transformation. PROJ is set
/// up once per thread. One converter serves one load: with the Helmert it keeps
/// PROJ's shifts at nodes 15″ apart and interpolates between them, which stays
/// within a micrometre of PROJ's own result and spares a PROJ call per point.
class DatumConverter {
 public:
  DatumConverter();

  DatumConversion Method() const { return method_; }
  /// The grid file PROJ reads, as found; empty unless the method is Grid.
  const std::string& GridFile() const { return grid_file_; }

  /// `wgs84` (arc-seconds) on the Tokyo datum, in arc-seconds; nothing where
  /// PROJ cannot convert it or no conversion is available.
  std::optional<GeographicPoint> ToTokyo(GeographicPoint wgs84);

  /// `tokyo` (arc-seconds) on `datum`, in arc-seconds: the same conversion
  /// taken forward, JGD2000 being WGS 84 for the Helmert; for JGD2011 the
  /// grid of the 2011 earthquake's shifts (`touhokutaiheiyouoki2011.gsb` or
  /// `.tif`, found as the national grid is) follows where it is installed and
  /// covers the point. Nothing where PROJ cannot convert it.
  std::optional<GeographicPoint> FromTokyo(GeographicPoint tokyo, JapaneseDatum datum) const;

 private:
  struct Shift {
    double Latitude, Longitude;  // arc-seconds to add
  };
  struct Cell {
    std::int64_t Row, Column;
    Shift Corners[4];  // south-west, south-east, north-west, north-east
  };

  std::optional<Shift> NodeShift(std::int64_t row, std::int64_t column);
  bool LoadCell(std::int64_t row, std::int64_t column);

  DatumConversion method_;
  std::string grid_file_;
  std::unordered_map<std::int64_t, std::optional<Shift>> nodes_;
  std::optional<Cell> cell_;
};

/// Which conversion `converter` uses, in words, as `koravel-tool --version`
/// and the window's system information tell it.
std::string DescribeDatumConversion(const DatumConverter& converter);

}  // namespace koravel
