#pragma once

#include <QMainWindow>

#include "core/geo/mesh_code.h"
#include "ui/app/dem_commands.h"
#include "ui/app/file_commands.h"
#include "ui/app/main_window_controls.h"
#include "ui/app/picture_commands.h"
#include "ui/app/recent_files.h"
#include "ui/app/track_commands.h"
#include "ui/common/dialogs.h"
#include "ui/common/status_panels.h"
#include "ui/document/document.h"
#include "ui/document/editing_session.h"
#include "ui/edit/comment_field.h"
#include "ui/edit/edit_controller.h"
#include "ui/edit/region_commands.h"
#include "ui/edit/selection_controller.h"
#include "ui/edit/sketch_controller.h"
#include "ui/scale/legend_panel.h"
#include "ui/views/check_panel.h"
#include "ui/views/detail_view.h"
#include "ui/views/grid_painter.h"
#include "ui/views/map_picture.h"
#include "ui/views/overview_map.h"
#include "ui/views/profile_panel.h"
#include "ui/views/readout_presenter.h"

namespace koravel {

/// The main window. It owns the document and the editing session for its
/// whole life and wires the menus, the views, the panels and the
/// controllers to them.
class frmMain : public QMainWindow {
 public:
  explicit frmMain(Dialogs& dialogs, QWidget* parent = nullptr);

  /// Opens `path` as File > Open does once its dialog has chosen the file.
  void OpenFile(const QString& path);
  /// Loads the tracks of `path` as Tools > ﾄﾗｯｸ開く does once its dialog has chosen the file.
  void LoadTrackFile(const QString& path);

  const MeshDocument& Mesh() const { return document_.Mesh(); }
  const ViewState& View() const { return session_.View(); }
  const ElevationScale& Scale() const { return session_.Scale(); }
  const TrackSet& Tracks() const { return session_.Tracks(); }
  const std::optional<ReferenceDem>& Reference() const { return session_.Reference(); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ConnectFileMenu();
  void ConnectEditAndViewMenus();
  void ConnectToolsMenu();
  void ConnectDocument();
  void StartUp();
  void FitLayoutToDesign();
  void KeepUndoForTheDocument();
  void ShowOpenedDocument();
  void ShowModified(bool modified);
  void ShowTitle();
  void ShowFileName();
  void EnableEditing(bool enabled);
  void ShowNeighbours();
  void ShowShadedRelief(bool shaded);
  void mnuEditGoTo_Click();
  void mnuToolsOptions_Click();
  void mnuHelpAbout_Click();

  Dialogs& dialogs_;
  Document document_;
  EditingSession session_;

  MainWindowControls controls_;
  MainWindowMenus menus_;
  StatusPanels status_;
  GridPainter grid_painter_;
  OverviewMap overview_;
  DetailView detail_;
  ReadoutPresenter readout_;
  LegendPanel legend_;
  EditController editor_;
  SelectionController selection_;
  SketchController sketch_;
  ProfilePanel profile_panel_;
  RegionCommands region_commands_;
  CheckPanel check_panel_;
  CommentField comment_field_;
  DemCommands dem_commands_;
  FileCommands file_commands_;
  TrackCommands track_commands_;
  MapPicture map_picture_;
  PictureCommands picture_commands_;
  RecentFiles recent_files_;
};

}  // namespace koravel
