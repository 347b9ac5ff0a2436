#pragma once

#include <QMainWindow>
#include <memory>

#include "app/dialogs.h"
#include "app/file_commands.h"
#include "app/main_window_controls.h"
#include "app/status_panels.h"
#include "mesh/mesh_document.h"
#include "scale/elevation_scale.h"
#include "scale/legend_panel.h"
#include "views/map_views.h"
#include "views/view_state.h"

namespace koravel {

/// The main window. It owns the document, the colour scale and the view for
/// its whole life; the controllers of each part of the window work on them.
class frmMain : public QMainWindow {
 public:
  explicit frmMain(Dialogs& dialogs, QWidget* parent = nullptr);

  /// Opens `path` as File > Open does once its dialog has chosen the file.
  void OpenFile(const QString& path);

  const MeshDocument& Document() const { return document_; }
  const ViewState& View() const { return view_; }
  const ElevationScale& Scale() const { return scale_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void ConnectCommands();
  void StartUp();
  void ShowOpenedDocument();
  void SetChanged(bool changed);

  void mnuFileNew_Click();
  void mnuFileOpen_Click();
  void mnuFileSave_Click();
  void mnuFileSaveAs_Click();
  void tbToolBar_ButtonClick(QAction* button);

  Dialogs& dialogs_;
  MeshDocument document_;
  ElevationScale scale_;
  ViewState view_;

  MainWindowControls controls_;
  MainWindowMenus menus_;
  StatusPanels status_;
  LegendPanel legend_;
  MapViews map_views_;
  FileCommands file_commands_;
};

}  // namespace koravel
