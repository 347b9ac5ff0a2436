#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/geo/datum_converter.h"

namespace koravel {

/// The height that marks a point of an elevation model without data.
inline constexpr float kDemNoData = -9999.0f;

/// The survey's codes for the kinds of model, as its file names carry them.
inline constexpr std::array<std::string_view, 6> kDemDataTypes = {"DEM5A",  "DEM5B",  "DEM5C",
                                                                  "DEM10A", "DEM10B", "DEM1A"};

/// One tile of the survey's newer elevation model (基盤地図情報 数値標高モデル)
/// as its file describes it.
struct DemTile {
  std::string MeshCode;  ///< as the file says, for example "52387400"
  /// "DEM5A", "DEM5B", "DEM5C", "DEM10A", "DEM10B" or "DEM1A" as the file's
  /// name says, else the type the file gives ("5mメッシュ（標高）").
  std::string DataType;
  JapaneseDatum Datum = JapaneseDatum::Jgd2011;  ///< of the horizontal positions
  /// The envelope's edges in arc-seconds on `Datum`.
  double SouthLatitude = 0, WestLongitude = 0, NorthLatitude = 0, EastLongitude = 0;
  int Columns = 0;  ///< points west to east
  int Rows = 0;     ///< points north to south
  /// Metres, row by row from the north, each west to east; kDemNoData where
  /// the model has no height (and at sea, unless asked for 0 m there).
  std::vector<float> Heights;

  double LatitudeStep() const { return (NorthLatitude - SouthLatitude) / Rows; }    ///< arc-seconds
  double LongitudeStep() const { return (EastLongitude - WestLongitude) / Columns; }  ///< arc-seconds
};

}  // namespace koravel
