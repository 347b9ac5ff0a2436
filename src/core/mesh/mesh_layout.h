#pragma once

#include <array>

#include "core/mesh/mesh_document.h"

namespace koravel {

/// The fields of a .mem header record, in file order.
enum class HeaderField {
  MeshCode,
  MapScale,
  SurveyYear,
  RevisionYear,
  DigitizeYear,
  LonPoints,
  LatPoints,
  Corners,  ///< south-west latitude and longitude, north-east latitude and longitude
  SheetCount,
  Sheets,  ///< each sheet's name, then its one-digit code
  RecordCount,
  Comment,
  RecordFlags,  ///< one digit per row, 1 to 200
  Filler,
};

/// A header field and its width, in characters of the decoded CP932 text (a
/// double-byte character counts as one).
struct HeaderFieldWidth {
  HeaderField field;
  int width;
};

// The parts of the repeated fields.
inline constexpr int kDegreesWidth = 3;
inline constexpr int kMinutesWidth = 2;
inline constexpr int kSecondsWidth = 2;
inline constexpr int kCornerCount = 4;
inline constexpr int kSheetNameWidth = 10;
inline constexpr int kSheetFlagWidth = 1;
inline constexpr int kSheetSlots = 4;
inline constexpr int kRecordFlagWidth = 1;

/// The .mem header record, field by field in file order: the one statement of
/// the layout that the reader, the writer and the tests' fixtures follow.
inline constexpr std::array<HeaderFieldWidth, 14> kHeaderLayout = {{
    {HeaderField::MeshCode, 6},
    {HeaderField::MapScale, 5},
    {HeaderField::SurveyYear, 4},
    {HeaderField::RevisionYear, 4},
    {HeaderField::DigitizeYear, 4},
    {HeaderField::LonPoints, 3},
    {HeaderField::LatPoints, 3},
    {HeaderField::Corners, kCornerCount * (kDegreesWidth + kMinutesWidth + kSecondsWidth)},
    {HeaderField::SheetCount, 1},
    {HeaderField::Sheets, kSheetSlots * (kSheetNameWidth + kSheetFlagWidth)},
    {HeaderField::RecordCount, 3},
    {HeaderField::Comment, 40},
    {HeaderField::RecordFlags, kMeshSize * kRecordFlagWidth},
    {HeaderField::Filler, 584},
}};

constexpr int WidthOf(HeaderField field) {
  for (const HeaderFieldWidth& entry : kHeaderLayout) {
    if (entry.field == field) return entry.width;
  }
  return 0;
}

/// A data record: the mesh code (as wide as the header's), the record
/// number, then the kMeshSize values of the row from west to east.
inline constexpr int kRecordNumberWidth = 3;
inline constexpr int kValueWidth = 5;
inline constexpr int kRecordWidth = WidthOf(HeaderField::MeshCode) + kRecordNumberWidth + kMeshSize * kValueWidth;

/// The corners a mesh can have, in arc-seconds: what first-level mesh codes
/// number, 00 to 99 in steps of 40' of latitude from the equator and in
/// steps of 1° of longitude from 100° east.
inline constexpr double kSouthmostLatitude = 0;
inline constexpr double kNorthmostLatitude = 100 * 40 * 60;
inline constexpr double kWestmostLongitude = 100 * 3600;
inline constexpr double kEastmostLongitude = 200 * 3600;

}  // namespace koravel
