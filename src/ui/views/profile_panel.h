#pragma once

#include <QObject>
#include <optional>

#include "core/analysis/elevation_profile.h"

class QAction;
class QCheckBox;
class QComboBox;
class QDockWidget;
class QDoubleSpinBox;
class QLabel;
class QMainWindow;
class QPushButton;

namespace koravel {

class Dialogs;
class Document;
class EditingSession;
class ProfileChart;

/// ツール > 断面図: a panel with the profile of the loaded track (each piece
/// in turn, or all joined) or of the line drawn with 断面線を引く, the
/// figures under it, the axes' settings, and its export as CSV or a
/// picture. The pointer over the chart marks the place on both maps.
class ProfilePanel : public QObject {
 public:
  ProfilePanel(const Document& document, EditingSession& session, Dialogs& dialogs, QMainWindow& window,
               QAction& toggle);

 private:
  enum Source { kTrackPieces, kTrackJoined, kDrawnLine };

  QWidget* CreateControls();
  void Rebuild();
  void ShowPiece();
  std::optional<TrackPoints> Line() const;
  void MarkSample(std::optional<std::size_t> sample);
  void SaveCsv();
  void SavePicture();

  const Document& document_;
  EditingSession& session_;
  Dialogs& dialogs_;
  QAction& toggle_;
  QDockWidget* dock_;
  ProfileChart* chart_;
  QComboBox* source_;
  QPushButton* previous_;
  QPushButton* next_;
  QLabel* piece_;
  QDoubleSpinBox* exaggeration_;
  QCheckBox* fixed_;
  QDoubleSpinBox* low_;
  QDoubleSpinBox* high_;
  QLabel* figures_;
  ElevationProfile profile_;
  int piece_index_ = 0;
  bool drawing_line_ = false;  ///< the session was drawing a profile line
};

}  // namespace koravel
