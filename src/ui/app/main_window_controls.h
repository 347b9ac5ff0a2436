#pragma once

#include <array>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QToolBar;
class QWidget;

namespace koravel {

class Picture;

/// The controls of the main window, each named as in the window's design
/// (array items as "Text3(4)") so that tests and accessibility find them.
struct MainWindowControls {
  QToolBar* tbToolBar = nullptr;
  QAction* toolbar_new = nullptr;
  QAction* toolbar_open = nullptr;
  QAction* toolbar_save = nullptr;

  Picture* Picture1 = nullptr;  ///< overview
  Picture* Picture2 = nullptr;  ///< detail view
  Picture* Picture3 = nullptr;  ///< legend swatches
  QScrollBar* HScroll1 = nullptr;
  QScrollBar* VScroll1 = nullptr;

  QLineEdit* Text1 = nullptr;  ///< comment
  QLineEdit* Text2 = nullptr;  ///< elevation of the cursor cell
  QLineEdit* Text4 = nullptr;  ///< brush value
  std::array<QLineEdit*, 15> Text3{};
  std::array<QPushButton*, 3> Command1{};
  QPushButton* Command2 = nullptr;
  QGroupBox* Frame1 = nullptr;
  std::array<QRadioButton*, 4> Option1{};

  QLabel* Label2 = nullptr;
  QLabel* Label4 = nullptr;
  std::array<QLabel*, 3> Label6{};
  std::array<QLabel*, 2> Label7{};
  std::array<QLabel*, 2> Label8{};
  std::array<QLabel*, 4> Label10{};
  QLabel* Label12 = nullptr;
  QLabel* Label18 = nullptr;
};

/// The menu items of the main window.
struct MainWindowMenus {
  QAction* mnuFileNew = nullptr;
  QAction* mnuFileOpen = nullptr;
  QAction* mnuFileSave = nullptr;
  QAction* mnuFileSaveAs = nullptr;
  QAction* mnuFileExit = nullptr;
  QAction* mnuEditpointEditMode = nullptr;
  QAction* mnuEditBrushMode = nullptr;
  QAction* mnuToolsTruckOpen = nullptr;
  QAction* mnuToolsTruckClear = nullptr;
  QAction* mnuToolsTruckDraw = nullptr;
  QAction* mnuToolsTruckNoDraw = nullptr;
  QAction* mnuToolsOptions = nullptr;
  QAction* mnuHelpAbout = nullptr;
};

/// Creates every control on `client` at its place in twips. Captions that
/// come from the string table carry their number until LoadCaptions runs.
MainWindowControls CreateMainWindowControls(QWidget& client);

/// Creates the four menus with their items, check marks and separators.
MainWindowMenus CreateMainWindowMenus(QMenuBar& bar);

}  // namespace koravel
