#include "ui/app/main_window_controls.h"

#include <QAction>
#include <QComboBox>
#include <QActionGroup>
#include <QGroupBox>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QToolBar>
#include <tuple>

#include "ui/app/design_layout.h"
#include "ui/app/design_names.h"
#include "ui/common/qt_bridge.h"
#include "ui/views/picture.h"

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

void CreateHeaderLabels(QWidget& client, MainWindowControls& c) {
  PlaceLabel(client, "Label9", "図名", 120, 480, 615, 255);
  PlaceLabel(client, "Label1", "メッシュコード", 120, 840, 1215, 255);
  c.meshCodeLabel = PlaceLabel(client, design_name::meshCodeLabel, "", 1320, 840, 735, 255);
  PlaceLabel(client, "Label3", "縮尺", 120, 1200, 1215, 255);
  c.scaleLabel = PlaceLabel(client, design_name::scaleLabel, "", 1320, 1200, 735, 255);
  const std::array<const char*, 3> year_captions = {"測量年紀", "修正年紀", "数値化年紀"};
  const std::array<int, 3> year_widths = {1215, 1095, 1095};
  for (int i = 0; i < 3; ++i) {
    PlaceLabel(client, design_name::Item("Label5", i), year_captions[i], 120, 1560 + 360 * i, year_widths[i], 255);
    c.yearLabels[i] = PlaceLabel(client, design_name::Item(design_name::yearLabels, i), "", 1320, 1560 + 360 * i, 735, 255);
  }
  c.latitudeLabels[1] = PlaceLabel(client, design_name::Item(design_name::latitudeLabels, 1), "", 1200, 2640, 1095, 255);
  c.longitudeLabels[1] = PlaceLabel(client, design_name::Item(design_name::longitudeLabels, 1), "", 1200, 2880, 1095, 255);
  c.latitudeLabels[0] = PlaceLabel(client, design_name::Item(design_name::latitudeLabels, 0), "", 240, 4920, 1095, 255);
  c.longitudeLabels[0] = PlaceLabel(client, design_name::Item(design_name::longitudeLabels, 0), "", 240, 5160, 1095, 255);
  c.sheetNameLabels[0] = PlaceLabel(client, design_name::Item(design_name::sheetNameLabels, 0), "", 1320, 480, 1215, 255);
  for (int i = 1; i < 4; ++i) {
    c.sheetNameLabels[i] = PlaceLabel(client, design_name::Item(design_name::sheetNameLabels, i), "", 3720, 5880 + 240 * (i - 1), 1215, 255);
  }
  c.severalSheetsCaption = PlaceLabel(client, design_name::severalSheetsCaption, "複数図葉名", 2760, 5880, 975, 255);
}

void CreateMaps(QWidget& client, MainWindowControls& c) {
  c.overviewMap = Place<Picture>(client, design_name::overviewMap, 240, 3240, 2000, 1600);
  c.detailMap = Place<Picture>(client, design_name::detailMap, 3720, 1080, 5055, 4095);
  c.detailMap->setFocusPolicy(Qt::ClickFocus);  // for Ctrl+A and Esc while choosing cells
  c.horizontalScroll = Place<QScrollBar>(client, design_name::horizontalScroll, 3720, 5160, 5055, 255);
  c.verticalScroll = Place<QScrollBar>(client, design_name::verticalScroll, 8760, 1080, 255, 4095);
  c.horizontalScroll->setOrientation(Qt::Horizontal);
  c.verticalScroll->setOrientation(Qt::Vertical);
  for (QScrollBar* bar : {c.horizontalScroll, c.verticalScroll}) {
    bar->setRange(1, 151);
    bar->setSingleStep(1);
    bar->setPageStep(50);
    bar->setTracking(false);  // the view follows a dragged thumb when it is released
  }
}

void CreateLegend(QWidget& client, MainWindowControls& c) {
  c.legendTitle = PlaceLabel(client, design_name::legendTitle, "標高凡例　　　　　(m)", 2760, 480, 855, 375);
  c.legendTitle->setWordWrap(true);
  c.legendSwatches = Place<Picture>(client, design_name::legendSwatches, 2760, 840, 240, 3840);
  for (int i = 0; i < 15; ++i) {
    c.levelEdits[i] = Place<QLineEdit>(client, design_name::Item(design_name::levelEdits, i), 3000, 4320 - 240 * i, 615, 270);
  }
  const std::array<const char*, 3> presets = {"デフォルト", "最高最低", "最低から"};
  for (int i = 0; i < 3; ++i) {
    c.presetButtons[i] = Place<QPushButton>(client, design_name::Item(design_name::presetButtons, i), 2640, 4800 + 360 * i, 975, 255);
    c.presetButtons[i]->setText(presets[i]);
  }
  c.redrawButton = Place<QPushButton>(client, design_name::redrawButton, 3840, 5520, 735, 255);
  // Beside the overview, where the legend's column has no room left.
  c.noDataSwatch = PlaceLabel(client, design_name::noDataSwatch, "", 1560, 4935, 240, 240);
  c.noDataCaption = PlaceLabel(client, design_name::noDataCaption, "データなし", 1860, 4920, 735, 255);
  c.redrawButton->setText("再描画");
}

void CreateEditFields(QWidget& client, MainWindowControls& c) {
  PlaceLabel(client, "Label14", "標高　　(m)", 3840, 480, 495, 375)->setWordWrap(true);
  c.elevationEdit = Place<QLineEdit>(client, design_name::elevationEdit, 4320, 480, 855, 375);
  c.autoMoveFrame = Place<QGroupBox>(client, design_name::autoMoveFrame, 7080, 5520, 1935, 1095);
  c.autoMoveFrame->setTitle("カーソル自動移動");
  const std::array<const char*, 4> directions = {"右へ", "下へ", "左へ", "上へ"};
  const std::array<int, 4> lefts = {1080, 600, 120, 600};
  const std::array<int, 4> tops = {480, 720, 480, 240};
  for (int i = 0; i < 4; ++i) {
    c.autoMoveOptions[i] = Place<QRadioButton>(*c.autoMoveFrame, design_name::Item(design_name::autoMoveOptions, i), lefts[i], tops[i], 735, 255);
    c.autoMoveOptions[i]->setText(directions[i]);
  }
  PlaceLabel(client, "Label11", "コメント", 120, 5640, 735, 255);
  c.brushCaption = PlaceLabel(client, design_name::brushCaption, "設定標高        (m)", 5280, 5640, 735, 375);
  c.brushCaption->setWordWrap(true);
  c.brushEdit = Place<QLineEdit>(client, design_name::brushEdit, 6120, 5640, 735, 375);
  // Beside the brush's height, where the direction options stand in the other modes.
  c.brushSizeBox = Place<QComboBox>(client, design_name::brushSizeBox, 6960, 5640, 960, 375);
  for (int size : {1, 3, 5, 9, 15}) c.brushSizeBox->addItem(QStringLiteral("%1 × %1").arg(size), size);
  c.commentEdit = Place<QLineEdit>(client, design_name::commentEdit, 120, 5880, 2535, 495);
  // Below the brush field, where its lines have the room the status bar lacks.
  c.pointerReadout = PlaceLabel(client, design_name::pointerReadout, "", 3720, 6060, 3300, 720);
  c.pointerReadout->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  PlaceLabel(client, "Label16", "コメントは全て全角文字で入力して下さい", 120, 6480, 3255, 255);
}

void CreateToolBar(QWidget& client, MainWindowControls& c) {
  c.toolBar = new QToolBar(&client);
  c.toolBar->setObjectName(design_name::toolBar);
  c.toolBar->setMovable(false);
  c.toolBar->setGeometry(0, 0, 9600 / kTwipsPerPixel, 420 / kTwipsPerPixel);
}

// Screen readers announce the main controls by what they hold.
void NameForAccessibility(const MainWindowControls& c) {
  c.overviewMap->setAccessibleName("全体図");
  c.detailMap->setAccessibleName("詳細図");
  c.legendSwatches->setAccessibleName("標高凡例");
  c.elevationEdit->setAccessibleName("標高");
  c.brushEdit->setAccessibleName("設定標高");
  c.brushSizeBox->setAccessibleName("筆の大きさ");
  c.commentEdit->setAccessibleName("コメント");
  c.autoMoveFrame->setAccessibleName("カーソル自動移動");
  for (int i = 0; i < 15; ++i) c.levelEdits[i]->setAccessibleName(QStringLiteral("標高凡例の境界 %1").arg(i + 1));
}

// The detail view takes the room; its bars and the controls under it move
// with its edges, the rest keeps its place.
void LayOut(QWidget& client, MainWindowControls& c) {
  c.layout = new DesignLayout(&client);
  for (QWidget* child : client.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) c.layout->Add(child);
  using Anchor = DesignLayout::Anchor;
  c.layout->SetAnchor(c.toolBar, Anchor{.grow_wide = true});
  c.layout->SetAnchor(c.detailMap, Anchor{.grow_wide = true, .grow_tall = true});
  c.layout->SetAnchor(c.verticalScroll, Anchor{.move_right = true, .grow_tall = true});
  c.layout->SetAnchor(c.horizontalScroll, Anchor{.move_down = true, .grow_wide = true});
  c.layout->SetAnchor(c.autoMoveFrame, Anchor{.move_right = true, .move_down = true});
  for (QWidget* below : std::initializer_list<QWidget*>{c.redrawButton, c.brushCaption, c.brushEdit, c.brushSizeBox, c.pointerReadout,
                                                        c.severalSheetsCaption, c.sheetNameLabels[1],
                                                        c.sheetNameLabels[2], c.sheetNameLabels[3]}) {
    c.layout->SetAnchor(below, Anchor{.move_down = true});
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
  NameForAccessibility(controls);
  LayOut(client, controls);
  return controls;
}

namespace {

QAction* AddItem(QMenu& menu, const char* name, const QString& caption, bool checkable = false) {
  QAction* action = menu.addAction(caption);
  action->setObjectName(name);
  action->setCheckable(checkable);
  return action;
}

QAction* AddItem(QMenu& menu, const char* name, int caption_id, bool checkable = false) {
  return AddItem(menu, name, QString::number(caption_id), checkable);
}

QMenu* AddMenu(QMenuBar& bar, const char* name, int caption_id) {
  QMenu* menu = bar.addMenu(QString::number(caption_id));
  menu->setObjectName(name);
  menu->menuAction()->setObjectName(name);
  return menu;
}

// North first, clockwise, as CompassDirection counts; the sides on Alt+arrows.
void AddNeighbourMenu(QMenu& file, MainWindowMenus& m) {
  m.neighbourMenu = file.addMenu(QStringLiteral("隣接メッシュ(&M)"));
  m.neighbourMenu->setObjectName(design_name::neighbourMenu);
  const std::array<const char*, 8> captions = {"北", "北東", "東", "南東", "南", "南西", "西", "北西"};
  const std::array<QKeySequence, 8> keys = {QKeySequence(Qt::ALT | Qt::Key_Up), {}, QKeySequence(Qt::ALT | Qt::Key_Right), {},
                                            QKeySequence(Qt::ALT | Qt::Key_Down), {}, QKeySequence(Qt::ALT | Qt::Key_Left), {}};
  for (int i = 0; i < 8; ++i) {
    m.neighbourActions[i] = AddItem(*m.neighbourMenu, design_name::neighbourActions[i], QString::fromUtf8(captions[i]));
    m.neighbourActions[i]->setShortcut(keys[i]);
    m.neighbourActions[i]->setEnabled(false);
  }
}

void AddFileMenu(QMenuBar& bar, MainWindowMenus& m) {
  QMenu& file = *AddMenu(bar, "mnuFile", 1000);
  m.newAction = AddItem(file, design_name::newAction, 1001);
  m.openAction = AddItem(file, design_name::openAction, 1002);
  m.openAction->setShortcut(QKeySequence::Open);
  m.recentFilesMenu = file.addMenu(QStringLiteral("最近使ったファイル(&F)"));
  m.recentFilesMenu->setObjectName(design_name::recentFilesMenu);
  AddNeighbourMenu(file, m);
  file.addSeparator()->setObjectName("mnuFileBar0");
  m.saveAction = AddItem(file, design_name::saveAction, 1004);
  m.saveAction->setShortcut(QKeySequence::Save);
  m.saveAsAction = AddItem(file, design_name::saveAsAction, 1005);
  m.saveAsAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  m.exportAction = AddItem(file, design_name::exportAction, QStringLiteral("エクスポート(&E)..."));
  m.pictureAction = AddItem(file, design_name::pictureAction, QStringLiteral("画像として保存(&I)..."));
  m.printAction = AddItem(file, design_name::printAction, QStringLiteral("印刷(&P)..."));
  m.printAction->setShortcut(QKeySequence::Print);
  file.addSeparator()->setObjectName("mnuFileBar1");
  m.exitAction = AddItem(file, design_name::exitAction, 1006);
  m.exitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
}

// The operations on the chosen cells, in the order of SelectionOperation.
void AddSelectionMenu(QMenu& edit, MainWindowMenus& m) {
  QMenu& selection = *edit.addMenu(QStringLiteral("選択範囲(&S)"));
  selection.setObjectName(design_name::selectionMenu);
  const std::array<const char*, 9> captions = {"値を設定(&S)...", "データなしにする(&N)", "高さを加える(&A)...",
                                               "平滑化(&M)...",   "穴を埋める(&F)",       "開いた時の値に戻す(&R)",
                                               "参照DEMの値にする(&D)", "コピー(&C)",     "貼り付け(&P)"};
  for (std::size_t i = 0; i < captions.size(); ++i) {
    if (i == 7) selection.addSeparator();
    m.selectionActions[i] = AddItem(selection, design_name::selectionActions[i], QString::fromUtf8(captions[i]));
  }
}

void AddEditMenu(QMenuBar& bar, MainWindowMenus& m) {
  QMenu& edit = *AddMenu(bar, "mnuEdit", 1007);
  m.undoAction = AddItem(edit, design_name::undoAction, QStringLiteral("元に戻す(&U)"));
  m.undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  m.redoAction = AddItem(edit, design_name::redoAction, QStringLiteral("やり直し(&R)"));
  m.redoAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  edit.addSeparator()->setObjectName("mnuEditBar0");
  m.pointEditModeAction = AddItem(edit, design_name::pointEditModeAction, 1008, true);
  m.brushModeAction = AddItem(edit, design_name::brushModeAction, 1009, true);
  m.selectModeAction = AddItem(edit, design_name::selectModeAction, QStringLiteral("範囲選択モード(&A)"), true);
  auto* modes = new QActionGroup(&edit);  // one of the three is checked
  for (QAction* mode : {m.pointEditModeAction, m.brushModeAction, m.selectModeAction}) modes->addAction(mode);
  edit.addSeparator()->setObjectName("mnuEditBar1");
  m.selectAllAction = AddItem(edit, design_name::selectAllAction, QStringLiteral("すべて選択(&L)"));
  m.selectAllAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
  m.deselectAction = AddItem(edit, design_name::deselectAction, QStringLiteral("選択解除(&D)"));
  m.deselectAction->setShortcut(QKeySequence(Qt::Key_Escape));
  m.selectByValueAction = AddItem(edit, design_name::selectByValueAction, QStringLiteral("値で選択(&V)..."));
  m.lassoAction = AddItem(edit, design_name::lassoAction, QStringLiteral("投げ縄で選択(&O)"), true);
  AddSelectionMenu(edit, m);
  edit.addSeparator()->setObjectName("mnuEditBar2");
  m.goToAction = AddItem(edit, design_name::goToAction, QStringLiteral("移動(&G)..."));
  m.goToAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
}

void AddToolsMenu(QMenuBar& bar, MainWindowMenus& m) {
  QMenu& tools = *AddMenu(bar, "mnuTools", 1014);
  m.trackOpenAction = AddItem(tools, design_name::trackOpenAction, 1033);
  m.trackClearAction = AddItem(tools, design_name::trackClearAction, 1036);
  tools.addSeparator()->setObjectName("mnuToolsBar1");
  m.trackShowAction = AddItem(tools, design_name::trackShowAction, 1034, true);
  m.trackHideAction = AddItem(tools, design_name::trackHideAction, 1035, true);
  // One of the two is checked, the state in force.
  auto* shown = new QActionGroup(&tools);
  shown->addAction(m.trackShowAction);
  shown->addAction(m.trackHideAction);
  tools.addSeparator()->setObjectName("mnuToolsBar2");
  m.profileAction = AddItem(tools, design_name::profileAction, QStringLiteral("断面図(&P)"), true);
  m.profileLineAction = AddItem(tools, design_name::profileLineAction, QStringLiteral("断面線を引く(&L)"));
  m.measureAction = AddItem(tools, design_name::measureAction, QStringLiteral("距離を測る(&M)"));
  m.referenceAction = AddItem(tools, design_name::referenceAction, QStringLiteral("参照DEMを読む(&R)..."));
  m.checkAction = AddItem(tools, design_name::checkAction, QStringLiteral("点検(&K)"), true);
  m.nextFindingAction = AddItem(tools, design_name::nextFindingAction, QStringLiteral("次の指摘(&N)"));
  m.nextFindingAction->setShortcut(QKeySequence(Qt::Key_F3));
  m.previousFindingAction = AddItem(tools, design_name::previousFindingAction, QStringLiteral("前の指摘(&B)"));
  m.previousFindingAction->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));
  tools.addSeparator()->setObjectName("mnuToolsBar3");
  m.optionsAction = AddItem(tools, design_name::optionsAction, 1015);
}

void AddViewMenu(QMenuBar& bar, MainWindowMenus& m) {
  QMenu& view = *bar.addMenu(QStringLiteral("表示(&V)"));
  view.setObjectName(design_name::viewMenu);
  view.menuAction()->setObjectName(design_name::viewMenu);
  m.zoomInAction = AddItem(view, design_name::zoomInAction, QStringLiteral("拡大(&I)"));
  m.zoomInAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  m.zoomOutAction = AddItem(view, design_name::zoomOutAction, QStringLiteral("縮小(&O)"));
  m.zoomOutAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
  m.zoomActualAction = AddItem(view, design_name::zoomActualAction, QStringLiteral("等倍(&A)"));
  m.zoomActualAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
  view.addSeparator();
  m.shadeAction = AddItem(view, design_name::shadeAction, QStringLiteral("陰影(&S)"), true);
  m.slopeAction = AddItem(view, design_name::slopeAction, QStringLiteral("傾斜(&L)"), true);
  m.differenceAction = AddItem(view, design_name::differenceAction, QStringLiteral("参照との差(&D)"), true);
  m.contourAction = AddItem(view, design_name::contourAction, QStringLiteral("等高線(&C)"), true);
  m.neighboursAction = AddItem(view, design_name::neighboursAction, QStringLiteral("隣接メッシュを表示(&N)"), true);
}

// The desktop's icon theme where it has one, Qt's own pictures otherwise.
QIcon ToolBarIcon(const QToolBar& bar, const char* theme_name, QStyle::StandardPixmap fallback) {
  return QIcon::fromTheme(theme_name, bar.style()->standardIcon(fallback));
}

// The buttons are the menu's own items, so they are enabled and run
// together; their tips are captions of the string table.
void AddToolBarButtons(QToolBar& bar, const MainWindowMenus& m) {
  const std::array<std::tuple<QAction*, const char*, int, const char*, QStyle::StandardPixmap>, 3> buttons = {
      {{m.newAction, design_name::newButton, 1020, "document-new", QStyle::SP_FileIcon},
       {m.openAction, design_name::openButton, 1021, "document-open", QStyle::SP_DialogOpenButton},
       {m.saveAction, design_name::saveButton, 1022, "document-save", QStyle::SP_DialogSaveButton}}};
  for (const auto& [action, name, tip_id, icon, fallback] : buttons) {
    action->setIcon(ToolBarIcon(bar, icon, fallback));
    action->setToolTip(QString::number(tip_id));
    bar.addAction(action);
    bar.widgetForAction(action)->setObjectName(name);
  }
}

}  // namespace

MainWindowMenus CreateMainWindowMenus(QMenuBar& bar, QToolBar& tool_bar) {
  MainWindowMenus m;
  AddFileMenu(bar, m);
  AddEditMenu(bar, m);
  AddViewMenu(bar, m);
  AddToolsMenu(bar, m);
  QMenu& help = *AddMenu(bar, "mnuHelp", 1016);
  m.aboutAction = AddItem(help, design_name::aboutAction, 1019);
  AddToolBarButtons(tool_bar, m);
  return m;
}

}  // namespace koravel
