#include "app/frm_main.h"

#include <QCloseEvent>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>

#include "app/captions.h"
#include "app/header_display.h"
#include "app/window_geometry.h"
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
      legend_(scale_, *controls_.Picture3, controls_.Text3),
      map_views_(document_, scale_, view_,
                 {*controls_.Picture1, *controls_.Picture2, *controls_.HScroll1, *controls_.VScroll1,
                  *controls_.Text2, status_}),
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
  connect(controls_.tbToolBar, &QToolBar::actionTriggered, this, &frmMain::tbToolBar_ButtonClick);
  connect(controls_.HScroll1, &QScrollBar::valueChanged,
          [this](int position) { map_views_.HScroll1_Change(position); });
  connect(controls_.VScroll1, &QScrollBar::valueChanged,
          [this](int position) { map_views_.VScroll1_Change(position); });
  connect(controls_.Picture1, &Picture::Pressed,
          [this](double x, double y) { map_views_.Picture1_MouseDown(x, y); });
}

void frmMain::StartUp() {
  LoadCaptions(this);
  RestoreWindowGeometry(*this);
  SetChanged(false);
  menus_.mnuEditpointEditMode->setChecked(true);
  menus_.mnuEditBrushMode->setChecked(false);
  controls_.Label12->hide();
  controls_.Text4->hide();
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
  map_views_.DrawOverview();
  map_views_.DrawDetail();
  map_views_.ShowCursorPosition(0, 0);
}

// The document keeps no changed flag: unsaved changes are Save being enabled.
void frmMain::SetChanged(bool changed) {
  menus_.mnuFileSave->setEnabled(changed);
  controls_.toolbar_save->setEnabled(changed);
}

void frmMain::mnuFileNew_Click() {
  dialogs_.ShowMessage(QStringLiteral(" 'mnuFileNew_Click' のｺｰﾄﾞを追加します。"));
}

void frmMain::mnuFileOpen_Click() {
  if (file_commands_.Open()) ShowOpenedDocument();
}

void frmMain::mnuFileSave_Click() {
  if (file_commands_.Save()) SetChanged(false);
}

void frmMain::mnuFileSaveAs_Click() {
  if (file_commands_.SaveAs()) SetChanged(false);
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
  StoreWindowGeometry(*this);
  event->accept();
}

}  // namespace koravel
