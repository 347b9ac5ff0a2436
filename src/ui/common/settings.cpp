#include "ui/common/settings.h"

#include "core/analysis/holes.h"

namespace koravel {
namespace {

constexpr char kShadedRelief[] = "ShadedRelief";
constexpr char kHatchOmittedRows[] = "HatchOmittedRows";
constexpr char kAutoMoveDirection[] = "AutoMoveDirection";
constexpr char kRecentFiles[] = "RecentFiles";
constexpr char kHoleCells[] = "HoleCells";
constexpr char kBrushSize[] = "BrushSize";
constexpr char kLightAzimuth[] = "LightAzimuth";
constexpr char kLightAltitude[] = "LightAltitude";
constexpr char kExaggeration[] = "Exaggeration";
constexpr char kMultidirectional[] = "MultidirectionalLight";
constexpr char kContoursShown[] = "Contours";
constexpr char kContourInterval[] = "ContourInterval";
constexpr char kOverviewContourInterval[] = "OverviewContourInterval";
constexpr char kContourBase[] = "ContourBase";

}  // namespace

Settings::Settings() : store_("Koravel", "Koravel") { store_.beginGroup("Settings"); }

bool Settings::Flag(const char* key, bool fallback) const {
  const QString text = store_.value(key).toString();
  return text.isEmpty() ? fallback : text == "1";
}

void Settings::SetFlag(const char* key, bool value) { store_.setValue(key, QString::number(value ? 1 : 0)); }

// A number stored as text; anything else counts as not stored.
double Settings::Number(const char* key, double fallback) const {
  bool is_number = false;
  const double value = store_.value(key).toString().toDouble(&is_number);
  return is_number ? value : fallback;
}

void Settings::SetNumber(const char* key, double value) { store_.setValue(key, QString::number(value)); }

ReliefLight Settings::Light() const {
  const ReliefLight defaults;
  return {Number(kLightAzimuth, defaults.AzimuthDegrees), Number(kLightAltitude, defaults.AltitudeDegrees),
          Number(kExaggeration, defaults.Exaggeration),
          Flag(kMultidirectional, false) ? LightMode::Multidirectional : LightMode::Single};
}

void Settings::SetLight(const ReliefLight& light) {
  SetNumber(kLightAzimuth, light.AzimuthDegrees);
  SetNumber(kLightAltitude, light.AltitudeDegrees);
  SetNumber(kExaggeration, light.Exaggeration);
  SetFlag(kMultidirectional, light.Mode == LightMode::Multidirectional);
}

ContourSettings Settings::Contours() const {
  const ContourSettings defaults;
  return {Flag(kContoursShown, false), Number(kContourInterval, defaults.detail_interval),
          Number(kOverviewContourInterval, defaults.overview_interval), Number(kContourBase, defaults.base)};
}

void Settings::SetContours(const ContourSettings& contours) {
  SetFlag(kContoursShown, contours.shown);
  SetNumber(kContourInterval, contours.detail_interval);
  SetNumber(kOverviewContourInterval, contours.overview_interval);
  SetNumber(kContourBase, contours.base);
}

bool Settings::ShadedRelief() const { return Flag(kShadedRelief, false); }

void Settings::SetShadedRelief(bool shaded) { SetFlag(kShadedRelief, shaded); }

bool Settings::HatchOmittedRows() const { return Flag(kHatchOmittedRows, true); }

void Settings::SetHatchOmittedRows(bool hatched) { SetFlag(kHatchOmittedRows, hatched); }

MoveDirection Settings::AutoMoveDirection() const {
  const int stored = store_.value(kAutoMoveDirection).toString().toInt();
  const bool known = stored >= static_cast<int>(MoveDirection::Right) && stored <= static_cast<int>(MoveDirection::Up);
  return known ? static_cast<MoveDirection>(stored) : MoveDirection::Right;
}

void Settings::SetAutoMoveDirection(MoveDirection direction) {
  store_.setValue(kAutoMoveDirection, QString::number(static_cast<int>(direction)));
}

int Settings::HoleCells() const {
  bool is_number = false;
  const int cells = store_.value(kHoleCells).toString().toInt(&is_number);
  return is_number && cells > 0 ? cells : kDefaultHoleCells;
}

void Settings::SetHoleCells(int cells) { store_.setValue(kHoleCells, QString::number(cells)); }

BrushSize Settings::Brush() const {
  const int stored = store_.value(kBrushSize).toString().toInt();
  for (BrushSize size : kBrushSizes) {
    if (static_cast<int>(size) == stored) return size;
  }
  return BrushSize::One;
}

void Settings::SetBrush(BrushSize size) { store_.setValue(kBrushSize, QString::number(static_cast<int>(size))); }

QStringList Settings::RecentFiles() const { return store_.value(kRecentFiles).toStringList(); }

void Settings::SetRecentFiles(const QStringList& paths) { store_.setValue(kRecentFiles, paths); }

std::optional<int> Settings::Twips(const char* key) const {
  bool is_number = false;
  const int twips = store_.value(key).toString().toInt(&is_number);
  return is_number ? std::optional(twips) : std::nullopt;
}

void Settings::SetTwips(const char* key, int twips) { store_.setValue(key, QString::number(twips)); }

}  // namespace koravel
