#include "app/main_window_controls.h"

#include <QAction>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QToolBar>

#include "app/qt_bridge.h"
#include "views/picture.h"

namespace koravel {
namespace {

template <typename Widget>
Widget* Place(QWidget& parent, const QString& name, int left, int top, int width, int height) {
  auto* widget = new Widget(&parent);
  widget->setObjectName(name);
  widget->setGeometry(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
                      height / kTwipsPerPixel);
  return widget;
}

QLabel* PlaceLabel(QWidget& parent, const QString& name, const QString& text, int left, int top,
                   int width, int height) {
  auto* label = Place<QLabel>(parent, name, left, top, width, height);
  label->setText(text);
  return label;
}

QString Item(const char* name, int index) { return QStringLiteral("%1(%2)").arg(name).arg(index); }

void CreateHeaderLabels(QWidget& client, MainWindowControls& c) {
  PlaceLabel(client, "Label9", "図名", 120, 480, 615, 255);
  PlaceLabel(client, "Label1", "メッシュコード", 120, 840, 1215, 255);
  c.Label2 = PlaceLabel(client, "Label2", "", 1320, 840, 735, 255);
  PlaceLabel(client, "Label3", "縮尺", 120, 1200, 1215, 255);
  c.Label4 = PlaceLabel(client, "Label4", "", 1320, 1200, 735, 255);
  const std::array<const char*, 3> year_captions = {"測量年紀", "修正年紀", "数値化年紀"};
  const std::array<int, 3> year_widths = {1215, 1095, 1095};
  for (int i = 0; i < 3; ++i) {
    PlaceLabel(client, Item("Label5", i), year_captions[i], 120, 1560 + 360 * i, year_widths[i], 255);
    c.Label6[i] = PlaceLabel(client, Item("Label6", i), "", 1320, 1560 + 360 * i, 735, 255);
  }
  c.Label7[1] = PlaceLabel(client, Item("Label7", 1), "", 1200, 2640, 1095, 255);
  c.Label8[1] = PlaceLabel(client, Item("Label8", 1), "", 1200, 2880, 1095, 255);
  c.Label7[0] = PlaceLabel(client, Item("Label7", 0), "", 240, 4920, 1095, 255);
  c.Label8[0] = PlaceLabel(client, Item("Label8", 0), "", 240, 5160, 1095, 255);
  c.Label10[0] = PlaceLabel(client, Item("Label10", 0), "", 1320, 480, 1215, 255);
  for (int i = 1; i < 4; ++i) {
    c.Label10[i] = PlaceLabel(client, Item("Label10", i), "", 3720, 5880 + 240 * (i - 1), 1215, 255);
  }
  c.Label18 = PlaceLabel(client, "Label18", "複数図葉名", 2760, 5880, 975, 255);
}

void CreateMaps(QWidget& client, MainWindowControls& c) {
  c.Picture1 = Place<Picture>(client, "Picture1", 240, 3240, 2000, 1600);
  c.Picture2 = Place<Picture>(client, "Picture2", 3720, 1080, 5055, 4095);
  c.HScroll1 = Place<QScrollBar>(client, "HScroll1", 3720, 5160, 5055, 255);
  c.VScroll1 = Place<QScrollBar>(client, "VScroll1", 8760, 1080, 255, 4095);
  c.HScroll1->setOrientation(Qt::Horizontal);
  c.VScroll1->setOrientation(Qt::Vertical);
  for (QScrollBar* bar : {c.HScroll1, c.VScroll1}) {
    bar->setRange(1, 151);
    bar->setSingleStep(1);
    bar->setPageStep(50);
    bar->setTracking(false);  // the view follows a dragged thumb when it is released
  }
}

void CreateLegend(QWidget& client, MainWindowControls& c) {
  PlaceLabel(client, "Label17", "標高凡例　　　　　(m)", 2760, 480, 855, 375)->setWordWrap(true);
  c.Picture3 = Place<Picture>(client, "Picture3", 2760, 840, 240, 3840);
  for (int i = 0; i < 15; ++i) {
    c.Text3[i] = Place<QLineEdit>(client, Item("Text3", i), 3000, 4320 - 240 * i, 615, 270);
  }
  const std::array<const char*, 3> presets = {"デフォルト", "最高最低", "最低から"};
  for (int i = 0; i < 3; ++i) {
    c.Command1[i] = Place<QPushButton>(client, Item("Command1", i), 2640, 4800 + 360 * i, 975, 255);
    c.Command1[i]->setText(presets[i]);
  }
  c.Command2 = Place<QPushButton>(client, "Command2", 3840, 5520, 735, 255);
  c.Command2->setText("再描画");
}

void CreateEditFields(QWidget& client, MainWindowControls& c) {
  PlaceLabel(client, "Label14", "標高　　(m)", 3840, 480, 495, 375)->setWordWrap(true);
  c.Text2 = Place<QLineEdit>(client, "Text2", 4320, 480, 855, 375);
  c.Frame1 = Place<QGroupBox>(client, "Frame1", 7080, 5520, 1935, 1095);
  c.Frame1->setTitle("カーソル自動移動");
  const std::array<const char*, 4> directions = {"右へ", "下へ", "左へ", "上へ"};
  const std::array<int, 4> lefts = {1080, 600, 120, 600};
  const std::array<int, 4> tops = {480, 720, 480, 240};
  for (int i = 0; i < 4; ++i) {
    c.Option1[i] = Place<QRadioButton>(*c.Frame1, Item("Option1", i), lefts[i], tops[i], 735, 255);
    c.Option1[i]->setText(directions[i]);
  }
  PlaceLabel(client, "Label11", "コメント", 120, 5640, 735, 255);
  c.Label12 = PlaceLabel(client, "Label12", "設定標高        (m)", 5280, 5640, 735, 375);
  c.Label12->setWordWrap(true);
  c.Text4 = Place<QLineEdit>(client, "Text4", 6120, 5640, 735, 375);
  c.Text1 = Place<QLineEdit>(client, "Text1", 120, 5880, 2535, 495);
  PlaceLabel(client, "Label16", "コメントは全て全角文字で入力して下さい", 120, 6480, 3255, 255);
}

// The desktop's icon theme where it has one, Qt's own pictures otherwise.
QIcon ToolBarIcon(QWidget& client, const char* theme_name, QStyle::StandardPixmap fallback) {
  return QIcon::fromTheme(theme_name, client.style()->standardIcon(fallback));
}

void CreateToolBar(QWidget& client, MainWindowControls& c) {
  c.tbToolBar = new QToolBar(&client);
  c.tbToolBar->setObjectName("tbToolBar");
  c.tbToolBar->setMovable(false);
  c.tbToolBar->setGeometry(0, 0, 9600 / kTwipsPerPixel, 420 / kTwipsPerPixel);
  c.toolbar_new = c.tbToolBar->addAction(ToolBarIcon(client, "document-new", QStyle::SP_FileIcon), "New");
  c.toolbar_open = c.tbToolBar->addAction(ToolBarIcon(client, "document-open", QStyle::SP_DialogOpenButton), "Open");
  c.toolbar_save = c.tbToolBar->addAction(ToolBarIcon(client, "document-save", QStyle::SP_DialogSaveButton), "Save");
  const std::array<std::pair<QAction*, const char*>, 3> buttons = {
      {{c.toolbar_new, "新規作成"}, {c.toolbar_open, "開く"}, {c.toolbar_save, "上書き保存"}}};
  int index = 1;
  for (const auto& [action, key] : buttons) {
    action->setObjectName(QStringLiteral("tbToolBarButton%1").arg(index));
    action->setToolTip(QString::number(1019 + index++));
    action->setData(QString::fromUtf8(key));
  }
}

}  // namespace

MainWindowControls CreateMainWindowControls(QWidget& client) {
  MainWindowControls controls;
  CreateToolBar(client, controls);
  CreateHeaderLabels(client, controls);
  CreateMaps(client, controls);
  CreateLegend(client, controls);
  CreateEditFields(client, controls);
  return controls;
}

namespace {

QAction* AddItem(QMenu& menu, const char* name, int caption_id, bool checkable = false) {
  QAction* action = menu.addAction(QString::number(caption_id));
  action->setObjectName(name);
  action->setCheckable(checkable);
  return action;
}

QMenu* AddMenu(QMenuBar& bar, const char* name, int caption_id) {
  QMenu* menu = bar.addMenu(QString::number(caption_id));
  menu->setObjectName(name);
  menu->menuAction()->setObjectName(name);
  return menu;
}

}  // namespace

MainWindowMenus CreateMainWindowMenus(QMenuBar& bar) {
  MainWindowMenus m;
  QMenu& file = *AddMenu(bar, "mnuFile", 1000);
  m.mnuFileNew = AddItem(file, "mnuFileNew", 1001);
  m.mnuFileOpen = AddItem(file, "mnuFileOpen", 1002);
  file.addSeparator()->setObjectName("mnuFileBar0");
  m.mnuFileSave = AddItem(file, "mnuFileSave", 1004);
  m.mnuFileSaveAs = AddItem(file, "mnuFileSaveAs", 1005);
  file.addSeparator()->setObjectName("mnuFileBar1");
  m.mnuFileExit = AddItem(file, "mnuFileExit", 1006);

  QMenu& edit = *AddMenu(bar, "mnuEdit", 1007);
  m.mnuEditpointEditMode = AddItem(edit, "mnuEditpointEditMode", 1008, true);
  m.mnuEditBrushMode = AddItem(edit, "mnuEditBrushMode", 1009, true);

  QMenu& tools = *AddMenu(bar, "mnuTools", 1014);
  m.mnuToolsTruckOpen = AddItem(tools, "mnuToolsTruckOpen", 1033);
  m.mnuToolsTruckClear = AddItem(tools, "mnuToolsTruckClear", 1036);
  tools.addSeparator()->setObjectName("mnuToolsBar1");
  m.mnuToolsTruckDraw = AddItem(tools, "mnuToolsTruckDraw", 1034, true);
  m.mnuToolsTruckNoDraw = AddItem(tools, "mnuToolsTruckNoDraw", 1035, true);
  tools.addSeparator()->setObjectName("mnuToolsBar2");
  m.mnuToolsOptions = AddItem(tools, "mnuToolsOptions", 1015);

  QMenu& help = *AddMenu(bar, "mnuHelp", 1016);
  m.mnuHelpAbout = AddItem(help, "mnuHelpAbout", 1019);
  return m;
}

}  // namespace koravel
