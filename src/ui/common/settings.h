#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>
#include <optional>

#include "core/edit/brush.h"
#include "core/edit/cursor_step.h"
#include "core/scale/hill_shade.h"
#include "core/views/contour_settings.h"

namespace koravel {

/// What the program remembers for the user, in the per-user store of
/// application "Koravel", section "Settings". Values are kept as text, as
/// the store of the window's geometry always has been.
class Settings {
 public:
  Settings();

  /// Where the store lies on this system, for the user to find.
  QString FilePath() const { return store_.fileName(); }

  bool ShadedRelief() const;
  void SetShadedRelief(bool shaded);
  /// The light of the shaded relief.
  ReliefLight Light() const;
  void SetLight(const ReliefLight& light);
  /// The contour lines' heights, and whether they were shown last.
  ContourSettings Contours() const;
  void SetContours(const ContourSettings& contours);
  /// Whether rows the file omits are drawn hatched, apart from sea.
  bool HatchOmittedRows() const;
  void SetHatchOmittedRows(bool hatched);
  /// The direction the cursor steps after an entry when the window starts.
  MoveDirection AutoMoveDirection() const;
  void SetAutoMoveDirection(MoveDirection direction);
  /// The largest hole, in cells, that 穴を埋める fills when nothing is chosen.
  int HoleCells() const;
  void SetHoleCells(int cells);
  BrushSize Brush() const;
  void SetBrush(BrushSize size);
  QStringList RecentFiles() const;
  void SetRecentFiles(const QStringList& paths);
  /// A length of the window's geometry in twips; nothing when not stored.
  std::optional<int> Twips(const char* key) const;
  void SetTwips(const char* key, int twips);

 private:
  bool Flag(const char* key, bool fallback) const;
  double Number(const char* key, double fallback) const;
  void SetNumber(const char* key, double value);
  void SetFlag(const char* key, bool value);

  QSettings store_;
};

}  // namespace koravel
