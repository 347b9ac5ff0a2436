#pragma once

#include <array>

class QAction;
class QComboBox;
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

class DesignLayout;
class Picture;

/// The controls of the main window. Each carries its design name (see
/// design_names.h) as its object name.
struct MainWindowControls {
  DesignLayout* layout = nullptr;  ///< gives the window's room to the detail view
  QToolBar* toolBar = nullptr;  ///< holds the menu's New, Open and Save

  Picture* overviewMap = nullptr;
  Picture* detailMap = nullptr;
  Picture* legendSwatches = nullptr;
  QLabel* legendTitle = nullptr;
  QScrollBar* horizontalScroll = nullptr;
  QScrollBar* verticalScroll = nullptr;

  QLineEdit* commentEdit = nullptr;
  QLineEdit* elevationEdit = nullptr;  ///< the cursor cell's value
  QLineEdit* brushEdit = nullptr;      ///< the value the brush paints
  QComboBox* brushSizeBox = nullptr;   ///< the brush's size in cells
  std::array<QLineEdit*, 15> levelEdits{};
  std::array<QPushButton*, 3> presetButtons{};
  QPushButton* redrawButton = nullptr;
  QLabel* noDataSwatch = nullptr;
  QLabel* noDataCaption = nullptr;
  QGroupBox* autoMoveFrame = nullptr;
  std::array<QRadioButton*, 4> autoMoveOptions{};

  QLabel* meshCodeLabel = nullptr;
  QLabel* scaleLabel = nullptr;
  std::array<QLabel*, 3> yearLabels{};       ///< survey, revision, digitizing
  std::array<QLabel*, 2> latitudeLabels{};   ///< south-west, north-east corner
  std::array<QLabel*, 2> longitudeLabels{};  ///< south-west, north-east corner
  std::array<QLabel*, 4> sheetNameLabels{};
  QLabel* brushCaption = nullptr;
  QLabel* pointerReadout = nullptr;  ///< the cell under the pointer
  QLabel* severalSheetsCaption = nullptr;
};

/// The menu items of the main window.
struct MainWindowMenus {
  QAction* newAction = nullptr;
  QAction* openAction = nullptr;
  QMenu* recentFilesMenu = nullptr;
  QAction* saveAction = nullptr;
  QAction* saveAsAction = nullptr;
  QAction* exportAction = nullptr;
  QAction* pictureAction = nullptr;
  QAction* printAction = nullptr;
  QAction* exitAction = nullptr;
  QAction* undoAction = nullptr;
  QAction* redoAction = nullptr;
  QAction* pointEditModeAction = nullptr;
  QAction* brushModeAction = nullptr;
  QAction* selectModeAction = nullptr;
  QAction* selectAllAction = nullptr;
  QAction* deselectAction = nullptr;
  QAction* selectByValueAction = nullptr;
  QAction* lassoAction = nullptr;  ///< drags in the selection mode draw a lasso
  /// 編集 > 選択範囲, in the order of SelectionOperation.
  std::array<QAction*, 9> selectionActions{};
  QAction* goToAction = nullptr;
  QAction* trackOpenAction = nullptr;
  QAction* trackClearAction = nullptr;
  QAction* trackShowAction = nullptr;
  QAction* trackHideAction = nullptr;
  QAction* profileAction = nullptr;
  QAction* profileLineAction = nullptr;
  QAction* measureAction = nullptr;
  QAction* referenceAction = nullptr;
  QAction* checkAction = nullptr;
  QAction* nextFindingAction = nullptr;
  QAction* previousFindingAction = nullptr;
  QAction* optionsAction = nullptr;
  QAction* aboutAction = nullptr;
  QMenu* neighbourMenu = nullptr;
  /// The neighbouring meshes, in the order of CompassDirection: north first, clockwise.
  std::array<QAction*, 8> neighbourActions{};
  QAction* zoomInAction = nullptr;
  QAction* zoomOutAction = nullptr;
  QAction* zoomActualAction = nullptr;
  QAction* shadeAction = nullptr;
  QAction* differenceAction = nullptr;
  QAction* slopeAction = nullptr;
  QAction* contourAction = nullptr;
  QAction* neighboursAction = nullptr;
};

/// Creates every control on `client` at its place in twips. Captions that
/// come from the string table carry their number until LoadCaptions runs.
MainWindowControls CreateMainWindowControls(QWidget& client);

/// Creates the menus with their items, shortcuts, check marks and
/// separators, and puts New, Open and Save on `tool_bar` as well.
MainWindowMenus CreateMainWindowMenus(QMenuBar& bar, QToolBar& tool_bar);

}  // namespace koravel
