#pragma once

#include <QString>

namespace koravel::design_name {

// The name each control has in the window's design. It is the control's
// object name, by which tests and accessibility tools find it; the code
// names the control for what it is.

inline constexpr char toolBar[] = "tbToolBar";
inline constexpr char newButton[] = "tbToolBarButton1";
inline constexpr char openButton[] = "tbToolBarButton2";
inline constexpr char saveButton[] = "tbToolBarButton3";

inline constexpr char overviewMap[] = "Picture1";
inline constexpr char detailMap[] = "Picture2";
inline constexpr char legendSwatches[] = "Picture3";
inline constexpr char legendTitle[] = "Label17";
inline constexpr char horizontalScroll[] = "HScroll1";
inline constexpr char verticalScroll[] = "VScroll1";

inline constexpr char commentEdit[] = "Text1";
inline constexpr char elevationEdit[] = "Text2";
inline constexpr char levelEdits[] = "Text3";
inline constexpr char brushEdit[] = "Text4";
inline constexpr char brushSizeBox[] = "cboBrushSize";
inline constexpr char presetButtons[] = "Command1";
inline constexpr char redrawButton[] = "Command2";
inline constexpr char noDataSwatch[] = "picNoData";
inline constexpr char noDataCaption[] = "lblNoData";
inline constexpr char autoMoveFrame[] = "Frame1";
inline constexpr char autoMoveOptions[] = "Option1";

inline constexpr char meshCodeLabel[] = "Label2";
inline constexpr char scaleLabel[] = "Label4";
inline constexpr char yearLabels[] = "Label6";
inline constexpr char latitudeLabels[] = "Label7";
inline constexpr char longitudeLabels[] = "Label8";
inline constexpr char sheetNameLabels[] = "Label10";
inline constexpr char brushCaption[] = "Label12";
inline constexpr char severalSheetsCaption[] = "Label18";

inline constexpr char statusBar[] = "sbStatusBar";
inline constexpr char pointerReadout[] = "lblPointer";

inline constexpr char newAction[] = "mnuFileNew";
inline constexpr char openAction[] = "mnuFileOpen";
inline constexpr char recentFilesMenu[] = "mnuFileRecent";
inline constexpr char saveAction[] = "mnuFileSave";
inline constexpr char saveAsAction[] = "mnuFileSaveAs";
inline constexpr char exportAction[] = "mnuFileExport";
inline constexpr char pictureAction[] = "mnuFilePicture";
inline constexpr char printAction[] = "mnuFilePrint";
inline constexpr char exitAction[] = "mnuFileExit";
inline constexpr char undoAction[] = "mnuEditUndo";
inline constexpr char redoAction[] = "mnuEditRedo";
inline constexpr char pointEditModeAction[] = "mnuEditpointEditMode";
inline constexpr char brushModeAction[] = "mnuEditBrushMode";
inline constexpr char selectModeAction[] = "mnuEditSelectMode";
inline constexpr char selectAllAction[] = "mnuEditSelectAll";
inline constexpr char deselectAction[] = "mnuEditDeselect";
inline constexpr char selectByValueAction[] = "mnuEditSelectByValue";
inline constexpr char lassoAction[] = "mnuEditLasso";
inline constexpr char selectionMenu[] = "mnuEditSelection";
/// In the order of SelectionOperation.
inline constexpr const char* selectionActions[9] = {
    "mnuEditSelectionSetValue", "mnuEditSelectionNoData",  "mnuEditSelectionOffset",    "mnuEditSelectionSmooth",
    "mnuEditSelectionFillHoles", "mnuEditSelectionRestore", "mnuEditSelectionReference", "mnuEditSelectionCopy",
    "mnuEditSelectionPaste"};
inline constexpr char goToAction[] = "mnuEditGoTo";
inline constexpr char referenceAction[] = "mnuToolsReference";
inline constexpr char profileAction[] = "mnuToolsProfile";
inline constexpr char profileLineAction[] = "mnuToolsProfileLine";
inline constexpr char measureAction[] = "mnuToolsMeasure";
inline constexpr char checkAction[] = "mnuToolsCheck";
inline constexpr char nextFindingAction[] = "mnuToolsNextFinding";
inline constexpr char previousFindingAction[] = "mnuToolsPreviousFinding";
inline constexpr char checkPanel[] = "dckCheck";
inline constexpr char findingList[] = "lstFindings";
inline constexpr char trackOpenAction[] = "mnuToolsTruckOpen";
inline constexpr char trackClearAction[] = "mnuToolsTruckClear";
inline constexpr char trackShowAction[] = "mnuToolsTruckDraw";
inline constexpr char trackHideAction[] = "mnuToolsTruckNoDraw";
inline constexpr char optionsAction[] = "mnuToolsOptions";
inline constexpr char aboutAction[] = "mnuHelpAbout";
inline constexpr char neighbourMenu[] = "mnuFileNeighbour";
/// North first, clockwise.
inline constexpr const char* neighbourActions[8] = {
    "mnuFileNeighbourN", "mnuFileNeighbourNE", "mnuFileNeighbourE", "mnuFileNeighbourSE",
    "mnuFileNeighbourS", "mnuFileNeighbourSW", "mnuFileNeighbourW", "mnuFileNeighbourNW"};
inline constexpr char viewMenu[] = "mnuView";
inline constexpr char zoomInAction[] = "mnuViewZoomIn";
inline constexpr char zoomOutAction[] = "mnuViewZoomOut";
inline constexpr char zoomActualAction[] = "mnuViewZoomActual";
inline constexpr char shadeAction[] = "mnuViewShade";
inline constexpr char differenceAction[] = "mnuViewDifference";
inline constexpr char slopeAction[] = "mnuViewSlope";
inline constexpr char contourAction[] = "mnuViewContours";
inline constexpr char neighboursAction[] = "mnuViewNeighbours";

/// The name of item `index` of a control array, as "Text3(4)".
inline QString Item(const char* array, int index) { return QStringLiteral("%1(%2)").arg(array).arg(index); }

}  // namespace koravel::design_name
