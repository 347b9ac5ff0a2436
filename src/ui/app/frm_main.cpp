#include "app/frm_main.h"

#include <QCloseEvent>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>

#include "app/captions.h"
#include "app/frm_about.h"
#include "app/header_display.h"
#include "app/qt_bridge.h"
#include "app/window_geometry.h"
#include "tracks/track_reader.h"
#include "views/picture.h"

namespace koravel {
namespace {

QWidget& CreateClientArea(QMainWindow& window) {
  auto* client = new QWidget(&window);
  client->setObjectName("frmMainClient");
  window.setCentralWidget(client);
  return *client;
}

// The window's design is laid out for a 9-point Japanese UI font with tight
// line spacing; IPA P Gothic has the metrics it expects, Noto CJK stands in.
QFont DesignFont() {
  QFont font;
  font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
  font.setPixelSize(11);
  return font;
}

}  // namespace

frmMain::frmMain(Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent),
      dialogs_(dialogs),
      controls_(CreateMainWindowControls(CreateClientArea(*this))),
      menus_(CreateMainWindowMenus(*menuBar())),
      status_(*statusBar()),
      legend_(scale_, document_, dialogs, [this] { RedrawMaps(); },
              {*controls_.Picture3, controls_.Text3, controls_.Command1, *controls_.Command2}),
      map_views_(document_, scale_, view_, tracks_,
                 {*controls_.Picture1, *controls_.Picture2, *controls_.HScroll1, *controls_.VScroll1,
                  *controls_.Text2, status_}),
      editor_(document_, view_, editing_, map_views_, dialogs, [this] { SetChanged(true); },
              {*controls_.Text2, *controls_.Text4, *controls_.Label12, *controls_.Text1,
               *controls_.Frame1, controls_.Option1, *menus_.mnuEditpointEditMode,
               *menus_.mnuEditBrushMode, *controls_.Picture2, status_}),
      file_commands_(dialogs, document_) {
  setObjectName("frmMain");
  setWindowTitle("Koravel 50");
  setFont(DesignFont());
  statusBar()->setObjectName("sbStatusBar");
  ConnectCommands();
  StartUp();
}

void frmMain::ConnectCommands() {
  connect(menus_.mnuFileNew, &QAction::triggered, this, &frmMain::mnuFileNew_Click);
  connect(menus_.mnuFileOpen, &QAction::triggered, this, &frmMain::mnuFileOpen_Click);
  connect(menus_.mnuFileSave, &QAction::triggered, this, &frmMain::mnuFileSave_Click);
  connect(menus_.mnuFileSaveAs, &QAction::triggered, this, &frmMain::mnuFileSaveAs_Click);
  connect(menus_.mnuFileExit, &QAction::triggered, this, &QWidget::close);
  connect(menus_.mnuToolsTruckOpen, &QAction::triggered, this, &frmMain::mnuToolsTruckOpen_Click);
  connect(menus_.mnuToolsTruckClear, &QAction::triggered, this, &frmMain::mnuToolsTruckClear_Click);
  connect(menus_.mnuToolsTruckDraw, &QAction::triggered, this, [this] { ShowTracks(true); });
  connect(menus_.mnuToolsTruckNoDraw, &QAction::triggered, this, [this] { ShowTracks(false); });
  connect(menus_.mnuHelpAbout, &QAction::triggered, this, &frmMain::mnuHelpAbout_Click);
  connect(controls_.tbToolBar, &QToolBar::actionTriggered, this, &frmMain::tbToolBar_ButtonClick);
  connect(controls_.HScroll1, &QScrollBar::valueChanged, this,
          [this](int position) { map_views_.HScroll1_Change(position); });
  connect(controls_.VScroll1, &QScrollBar::valueChanged, this,
          [this](int position) { map_views_.VScroll1_Change(position); });
  connect(controls_.Picture1, &Picture::Pressed, this,
          [this](double x, double y) { map_views_.Picture1_MouseDown(x, y); });
  // A picture starts a blank image when its size or screen density changes.
  connect(controls_.Picture1, &Picture::ImageReplaced, this, &frmMain::RedrawOpenedMaps);
  connect(controls_.Picture2, &Picture::ImageReplaced, this, &frmMain::RedrawOpenedMaps);
  connect(controls_.Picture3, &Picture::ImageReplaced, this, [this] { legend_.DrawLegend(); });
}

void frmMain::StartUp() {
  LoadCaptions(this);
  RestoreWindowGeometry(*this);
  SetChanged(false);
  editor_.mnuEditpointEditMode_Click();
  menus_.mnuToolsTruckDraw->setChecked(true);
  menus_.mnuToolsTruckNoDraw->setChecked(false);
  map_views_.ResetView();
  controls_.Option1[0]->setChecked(true);
  for (int i = 1; i < 4; ++i) controls_.Label10[i]->hide();
  controls_.Label18->hide();
  legend_.SetDefaultColors();
  legend_.SetDefaultLevels();
}

void frmMain::OpenFile(const QString& path) {
  if (file_commands_.OpenPath(path, false)) ShowOpenedDocument();
}

// Everything an Open resets, in order, once the new document is in place.
void frmMain::ShowOpenedDocument() {
  ShowHeader(document_, controls_);
  SetChanged(false);
  map_views_.ResetView();
  legend_.SetDefaultLevels();
  tracks_.Clear();
  RedrawMaps();
  map_views_.ShowCursorPosition(0, 0);
}

void frmMain::RedrawMaps() {
  map_views_.DrawOverview();
  map_views_.DrawDetail();
}

// Until a file is opened the maps stay empty, as they are at start-up.
void frmMain::RedrawOpenedMaps() {
  if (!document_.MeshFileName.empty()) RedrawMaps();
}

// The document keeps no changed flag: unsaved changes are Save being enabled.
void frmMain::SetChanged(bool changed) {
  menus_.mnuFileSave->setEnabled(changed);
  controls_.toolbar_save->setEnabled(changed);
}

// Before edits would be lost: true when the command may go on.
bool frmMain::SaveOrDiscardChanges() {
  if (!menus_.mnuFileSave->isEnabled()) return true;
  switch (dialogs_.AskToSaveChanges()) {
    case SaveChoice::Save:
      mnuFileSave_Click();
      return !menus_.mnuFileSave->isEnabled();
    case SaveChoice::Discard:
      return true;
    case SaveChoice::Cancel:
      return false;
  }
  return false;
}

void frmMain::mnuFileNew_Click() {
  dialogs_.ShowMessage(QStringLiteral(" 'mnuFileNew_Click' のｺｰﾄﾞを追加します。"));
}

void frmMain::mnuFileOpen_Click() {
  if (SaveOrDiscardChanges() && file_commands_.Open()) ShowOpenedDocument();
}

void frmMain::mnuFileSave_Click() {
  if (file_commands_.Save()) SetChanged(false);
}

void frmMain::mnuFileSaveAs_Click() {
  if (file_commands_.SaveAs()) SetChanged(false);
}

void frmMain::mnuToolsTruckOpen_Click() {
  const std::optional<OpenChoice> choice =
      dialogs_.OpenFile(QStringLiteral("ﾄﾗｯｸ開く"), {QStringLiteral("GPSﾄﾗｯｸﾌｧｲﾙ (*.trk)")}, false);
  if (choice && !choice->path.isEmpty()) LoadTrackFile(choice->path);
}

void frmMain::LoadTrackFile(const QString& path) {
  const TrackReadResult result = ReadTrackFile(LocalPath(path), document_, tracks_);
  for (Warning warning : result.warnings) dialogs_.ShowMessage(Message(warning));
  if (result.error) dialogs_.ShowMessage(Message(*result.error));
  if (!result.draw) return;
  map_views_.DrawTracks();
  map_views_.DrawDetail();
}

void frmMain::mnuToolsTruckClear_Click() {
  tracks_.Clear();
  RedrawMaps();
}

// Both maps follow the choice at once; the mark shows which one is in force.
void frmMain::ShowTracks(bool shown) {
  menus_.mnuToolsTruckDraw->setChecked(shown);
  menus_.mnuToolsTruckNoDraw->setChecked(!shown);
  map_views_.SetTracksShown(shown);
  RedrawMaps();
}

void frmMain::mnuHelpAbout_Click() {
  frmAbout about(dialogs_, this);
  dialogs_.ShowModal(about);
}

void frmMain::tbToolBar_ButtonClick(QAction* button) {
  const QString key = button->data().toString();
  if (key == QStringLiteral("新規作成")) {
    dialogs_.ShowMessage(QStringLiteral(" '新規作成' ﾎﾞﾀﾝのｺｰﾄﾞを追加します。"));
  } else if (key == QStringLiteral("開く")) {
    mnuFileOpen_Click();
  } else if (key == QStringLiteral("上書き保存")) {
    mnuFileSave_Click();
  }
}

void frmMain::closeEvent(QCloseEvent* event) {
  if (!SaveOrDiscardChanges()) {
    event->ignore();
    return;
  }
  StoreWindowGeometry(*this);
  event->accept();
}

}  // namespace koravel
