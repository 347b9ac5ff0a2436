#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/mesh/corner_angle.h"
#include "core/text/cp932_text.h"

namespace koravel {

/// Rows and columns of a mesh.
inline constexpr int kMeshSize = 200;
/// The elevation that marks a cell without data (sea, outside the survey).
inline constexpr std::int32_t kNoData = -9999;

/// The contents of one .mem file. Plain data: the header members are read
/// and written directly; the grid sits behind a read accessor and one write
/// path, so that every change of a cell can be found.
///
/// Grid frame: x is the column, 1 at the west edge to 200 at the east; y is
/// the row, 1 at the north edge to 200 at the south, and also the record
/// number in the file. Row 0 and column 0 lie outside the mesh.
class MeshDocument {
 public:
  MeshDocument();

  /// Elevation of cell (x, y) in tenths of a metre, x and y in 0..200.
  std::int32_t Elevation(int x, int y) const { return elevation_[Index(x, y)]; }
  void SetElevation(int x, int y, std::int32_t tenths) { elevation_[Index(x, y)] = tenths; }
  /// Whether the file holds a record for row y (1..200): its flag is 1.
  bool IsRowPresent(int y) const { return RecordFlag[y] == 1; }

  std::string MeshFileName;  ///< the file this document was read from

  Cp932Text MeshCode;
  Cp932Text MapScale;  ///< denominator of the source map's scale
  Cp932Text SurveyYear;
  Cp932Text RevisionYear;
  Cp932Text DigitizeYear;
  std::int16_t LONPointN = 0;  ///< grid points east–west
  std::int16_t LATPointN = 0;  ///< grid points north–south

  CornerAngle SWLat;
  CornerAngle SWLon;
  CornerAngle NELat;
  CornerAngle NELon;
  double SWLatSeconds = 0;         ///< arc-seconds
  std::int32_t SWLonSeconds = 0;   ///< arc-seconds, rounded
  double NELatSeconds = 0;         ///< arc-seconds
  std::int32_t NELonSeconds = 0;   ///< arc-seconds, rounded
  double LatStep = 0;  ///< arc-seconds of latitude per row
  double LonStep = 0;  ///< arc-seconds of longitude per column

  std::int16_t SheetCount = 0;
  std::array<Cp932Text, 4> SheetName;      ///< sheet k at index k − 1
  std::array<std::int16_t, 4> SheetFlag{};  ///< the code after each name
  std::int16_t RecordCount = 0;  ///< as the header says; written back unchanged
  Cp932Text MeshComment;
  /// Presence of row k at index k (1..200): 1 means its record is in the file.
  std::array<std::int16_t, kMeshSize + 1> RecordFlag{};

  std::int32_t MaxElevation = 0;  ///< tenths of a metre; 0 when nothing is higher
  std::int16_t MinElevation = 0;  ///< tenths of a metre, ignoring kNoData

 private:
  static int Index(int x, int y) { return y * (kMeshSize + 1) + x; }

  std::vector<std::int32_t> elevation_;
};

}  // namespace koravel
