#pragma once

#include <QMainWindow>

#include "ui/common/dialogs.h"
#include "ui/app/file_commands.h"
#include "ui/app/main_window_controls.h"
#include "ui/app/recent_files.h"
#include "ui/common/settings.h"
#include "ui/common/status_panels.h"
#include "ui/document/document.h"
#include "ui/edit/comment_field.h"
#include "ui/edit/edit_controller.h"
#include "core/edit/editing_state.h"
#include "core/geo/mesh_code.h"
#include "core/scale/elevation_scale.h"
#include "ui/scale/legend_panel.h"
#include "core/tracks/track_set.h"
#include "ui/views/map_views.h"
#include "core/views/view_state.h"

namespace koravel {

/// The main window. It owns the document, the colour scale, the view, the
/// tracks and the editing state for its whole life; the controllers of each
/// part of the window work on them and follow the document's signals.
class frmMain : public QMainWindow {
 public:
  explicit frmMain(Dialogs& dialogs, QWidget* parent = nullptr);

  /// Opens `path` as File > Open does once its dialog has chosen the file.
  void OpenFile(const QString& path);
  /// Loads the tracks of `path` as Tools > ﾄﾗｯｸ開く does once its dialog has chosen the file.
  void LoadTrackFile(const QString& path);

  const MeshDocument& Mesh() const { return document_.Mesh(); }
  const ViewState& View() const { return view_; }
  const ElevationScale& Scale() const { return scale_; }
  const TrackSet& Tracks() const { return tracks_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ConnectCommands();
  void ConnectDocument();
  void StartUp();
  void KeepUndoForTheDocument();
  void ShowOpenedDocument();
  void RedrawMaps();
  void ShowModified(bool modified);
  void ShowTitle();
  void ShowFileName();
  void EnableEditing(bool enabled);
  void WarnOfOtherCode(const QString& path);
  bool SaveOrDiscardChanges();
  void OpenChosenFile(const QString& path);
  void ShowNeighbours();
  void OpenNeighbour(CompassDirection direction);
  void ConnectViewMenu();
  void ShowShadedRelief(bool shaded);
  void ShowOmittedRowsHatched(bool hatched);
  void FitLayoutToDesign();

  void mnuFileNew_Click();
  void mnuFileOpen_Click();
  void mnuFileSave_Click();
  void mnuFileSaveAs_Click();
  void mnuToolsTruckOpen_Click();
  void mnuToolsTruckClear_Click();
  void ShowTracks(bool shown);
  void mnuToolsOptions_Click();
  void mnuHelpAbout_Click();
  void tbToolBar_ButtonClick(QAction* button);

  Dialogs& dialogs_;
  Document document_;
  ElevationScale scale_;
  ViewState view_;
  TrackSet tracks_;
  EditingState editing_;

  MainWindowControls controls_;
  MainWindowMenus menus_;
  StatusPanels status_;
  LegendPanel legend_;
  MapViews map_views_;
  EditController editor_;
  CommentField comment_field_;
  FileCommands file_commands_;
  RecentFiles recent_files_;
};

}  // namespace koravel
