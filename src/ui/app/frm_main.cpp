#include "ui/app/frm_main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QFileInfo>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>

#include "ui/app/captions.h"
#include "ui/app/design_layout.h"
#include "ui/app/design_names.h"
#include "ui/app/frm_about.h"
#include "ui/app/frm_new_mesh.h"
#include "ui/app/frm_options.h"
#include "ui/app/header_display.h"
#include "ui/app/neighbour_meshes.h"
#include "ui/common/qt_bridge.h"
#include "ui/app/window_geometry.h"
#include "core/mesh/mesh_document.h"
#include "core/mesh/new_mesh.h"
#include "core/tracks/track_reader.h"
#include "ui/views/picture.h"

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

const QStringList kTrackFilters = {QStringLiteral("ﾄﾗｯｸﾌｧｲﾙ (*.trk *.gpx)"), QStringLiteral("GPSﾄﾗｯｸﾌｧｲﾙ (*.trk)"),
                                   QStringLiteral("GPXﾌｧｲﾙ (*.gpx)")};
const QString kTrackMissesMesh = QStringLiteral("トラックにはメッシュの範囲内の点がありません。");
const QString kCodeDiffersFromName = QStringLiteral("ファイル名はメッシュ %1 ですが、ファイルの中のメッシュコードは %2 です。");

constexpr int kDesignWidth = 9600;   // twips, the window's design size
constexpr int kDesignHeight = 7900;

bool HasSuffix(const QString& path, const char* suffix) {
  return QFileInfo(path).suffix().compare(QLatin1String(suffix), Qt::CaseInsensitive) == 0;
}

bool IsTrackFile(const QString& path) { return HasSuffix(path, "trk") || HasSuffix(path, "gpx"); }

// The local file dragged, if it is one mesh or one track.
QString DroppedFile(const QMimeData& data) {
  if (data.urls().size() != 1 || !data.urls().constFirst().isLocalFile()) return {};
  const QString path = data.urls().constFirst().toLocalFile();
  return HasSuffix(path, "mem") || IsTrackFile(path) ? path : QString();
}

}  // namespace

frmMain::frmMain(Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent),
      dialogs_(dialogs),
      controls_(CreateMainWindowControls(CreateClientArea(*this))),
      menus_(CreateMainWindowMenus(*menuBar())),
      status_(*statusBar()),
      legend_(scale_, document_, dialogs,
              {.swatches = *controls_.legendSwatches,
               .levels = controls_.levelEdits,
               .presets = controls_.presetButtons,
               .redraw = *controls_.redrawButton,
               .no_data_swatch = *controls_.noDataSwatch,
               .no_data_caption = *controls_.noDataCaption}),
      map_views_(document_, scale_, view_, tracks_,
                 {.overview = *controls_.overviewMap,
                  .detail = *controls_.detailMap,
                  .horizontal = *controls_.horizontalScroll,
                  .vertical = *controls_.verticalScroll,
                  .value = *controls_.elevationEdit,
                  .pointer = *controls_.pointerReadout,
                  .status = status_}),
      editor_(document_, view_, editing_, map_views_, dialogs,
              {.value = *controls_.elevationEdit,
               .brush = *controls_.brushEdit,
               .brush_caption = *controls_.brushCaption,
               .directions = *controls_.autoMoveFrame,
               .options = controls_.autoMoveOptions,
               .point_mode = *menus_.pointEditModeAction,
               .brush_mode = *menus_.brushModeAction,
               .detail = *controls_.detailMap,
               .status = status_}),
      comment_field_(document_, dialogs, *controls_.commentEdit),
      file_commands_(dialogs, document_),
      recent_files_(*menus_.recentFilesMenu) {
  setObjectName("frmMain");
  setFont(DesignFont());
  setAcceptDrops(true);
  statusBar()->setObjectName(design_name::statusBar);
  FitLayoutToDesign();
  ConnectCommands();
  ConnectViewMenu();
  ConnectDocument();
  KeepUndoForTheDocument();
  StartUp();
}

void frmMain::ConnectCommands() {
  connect(menus_.newAction, &QAction::triggered, this, &frmMain::mnuFileNew_Click);
  connect(menus_.openAction, &QAction::triggered, this, &frmMain::mnuFileOpen_Click);
  connect(menus_.saveAction, &QAction::triggered, this, &frmMain::mnuFileSave_Click);
  connect(menus_.saveAsAction, &QAction::triggered, this, &frmMain::mnuFileSaveAs_Click);
  connect(menus_.exportAction, &QAction::triggered, this, [this] { file_commands_.Export(); });
  connect(menus_.exitAction, &QAction::triggered, this, &QWidget::close);
  connect(menus_.undoAction, &QAction::triggered, &document_, &Document::Undo);
  connect(menus_.redoAction, &QAction::triggered, &document_, &Document::Redo);
  connect(menus_.trackOpenAction, &QAction::triggered, this, &frmMain::mnuToolsTruckOpen_Click);
  connect(menus_.trackClearAction, &QAction::triggered, this, &frmMain::mnuToolsTruckClear_Click);
  connect(menus_.trackShowAction, &QAction::triggered, this, [this] { ShowTracks(true); });
  connect(menus_.trackHideAction, &QAction::triggered, this, [this] { ShowTracks(false); });
  connect(menus_.optionsAction, &QAction::triggered, this, &frmMain::mnuToolsOptions_Click);
  connect(menus_.aboutAction, &QAction::triggered, this, &frmMain::mnuHelpAbout_Click);
  connect(&recent_files_, &RecentFiles::Chosen, this, &frmMain::OpenChosenFile);
  connect(controls_.toolBar, &QToolBar::actionTriggered, this, &frmMain::tbToolBar_ButtonClick);
  connect(controls_.horizontalScroll, &QScrollBar::valueChanged, this,
          [this](int position) { map_views_.HScroll1_Change(position); });
  connect(controls_.verticalScroll, &QScrollBar::valueChanged, this,
          [this](int position) { map_views_.VScroll1_Change(position); });
  connect(controls_.overviewMap, &Picture::Pressed, this,
          [this](double x, double y) { map_views_.Picture1_MouseDown(x, y); });
  connect(&legend_, &LegendPanel::ScaleChanged, this, &frmMain::RedrawMaps);
  // A picture starts a blank image when its size or screen density changes.
  connect(controls_.legendSwatches, &Picture::ImageReplaced, this, [this] { legend_.DrawLegend(); });
}

// The design's size is the whole window's; the client gets what the menu
// and status bars leave of it.
void frmMain::FitLayoutToDesign() {
  const int bars = menuBar()->sizeHint().height() + statusBar()->sizeHint().height();
  controls_.layout->SetDesignSize(QSize(kDesignWidth / kTwipsPerPixel, kDesignHeight / kTwipsPerPixel - bars));
}

void frmMain::ConnectViewMenu() {
  connect(menus_.zoomInAction, &QAction::triggered, this, [this] { map_views_.ZoomBy(Viewport::kZoomStep); });
  connect(menus_.zoomOutAction, &QAction::triggered, this,
          [this] { map_views_.ZoomBy(1 / Viewport::kZoomStep); });
  connect(menus_.zoomActualAction, &QAction::triggered, this, [this] { map_views_.ZoomToActualSize(); });
  connect(menus_.shadeAction, &QAction::toggled, this, &frmMain::ShowShadedRelief);
  for (int i = 0; i < 8; ++i) {
    connect(menus_.neighbourActions[i], &QAction::triggered, this,
            [this, i] { OpenNeighbour(static_cast<CompassDirection>(i)); });
  }
  // Files come and go while the window is open, mostly while it is in the
  // background; the Alt+arrow keys reach only the items enabled.
  connect(menus_.neighbourMenu, &QMenu::aboutToShow, this, &frmMain::ShowNeighbours);
  connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
    if (state == Qt::ApplicationActive) ShowNeighbours();
  });
}

void frmMain::ShowShadedRelief(bool shaded) {
  map_views_.SetShaded(shaded);
  Settings().SetShadedRelief(shaded);
}

void frmMain::ConnectDocument() {
  connect(&document_, &Document::Replaced, this, &frmMain::ShowOpenedDocument);
  connect(&document_, &Document::ModifiedChanged, this, &frmMain::ShowModified);
  connect(&document_, &Document::FileNameChanged, this, &frmMain::ShowFileName);
  connect(&document_.UndoStack(), &QUndoStack::canUndoChanged, menus_.undoAction, &QAction::setEnabled);
  connect(&document_.UndoStack(), &QUndoStack::canRedoChanged, menus_.redoAction, &QAction::setEnabled);
}

// A text field would take Ctrl+Z for its own typing; the window's undo
// works on the document, which holds that typing too.
void frmMain::KeepUndoForTheDocument() {
  for (QLineEdit* field : findChildren<QLineEdit*>()) field->installEventFilter(this);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)) return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void frmMain::StartUp() {
  LoadCaptions(this);
  RestoreWindowGeometry(*this);
  ShowTitle();
  ShowModified(false);
  EnableEditing(false);
  menus_.undoAction->setEnabled(false);
  menus_.redoAction->setEnabled(false);
  editor_.mnuEditpointEditMode_Click();
  menus_.trackShowAction->setChecked(true);
  menus_.trackHideAction->setChecked(false);
  map_views_.ResetView();
  const Settings settings;
  editor_.SetAutoMoveDirection(settings.AutoMoveDirection());
  for (int i = 1; i < 4; ++i) controls_.sheetNameLabels[i]->hide();
  controls_.severalSheetsCaption->hide();
  legend_.SetDefaultColors();
  legend_.SetDefaultLevels();
  ShowOmittedRowsHatched(settings.HatchOmittedRows());
  menus_.shadeAction->setChecked(settings.ShadedRelief());
}

void frmMain::ShowOmittedRowsHatched(bool hatched) {
  map_views_.SetHatchOmittedRows(hatched);
  legend_.ShowNoData(hatched);
}

// Nothing can be edited, saved or exported before a mesh is opened or made.
void frmMain::EnableEditing(bool enabled) {
  for (QWidget* field : {static_cast<QWidget*>(controls_.elevationEdit), static_cast<QWidget*>(controls_.brushEdit),
                         static_cast<QWidget*>(controls_.commentEdit)}) {
    field->setEnabled(enabled);
  }
  for (QAction* action : {menus_.saveAsAction, menus_.exportAction, menus_.trackOpenAction}) action->setEnabled(enabled);
}

// "NAME.mem - Koravel", with Qt's mark of unsaved changes after the name.
void frmMain::ShowTitle() {
  const QString file = document_.FileName();
  if (!document_.IsOpen()) {
    setWindowTitle(QStringLiteral("Koravel"));
  } else if (file.isEmpty()) {
    setWindowTitle(QStringLiteral("%1.mem[*] - Koravel").arg(QString::fromStdString(document_.Mesh().MeshCode.Text()).trimmed()));
  } else {
    setWindowTitle(QStringLiteral("%1[*] - Koravel").arg(QFileInfo(file).fileName()));
  }
  setWindowModified(document_.IsModified());
}

// After Save As the window works on the new file: its name, the recent
// files and the neighbours beside it.
void frmMain::ShowFileName() {
  ShowTitle();
  recent_files_.Add(document_.FileName());
  ShowNeighbours();
}

void frmMain::OpenFile(const QString& path) { file_commands_.OpenPath(path, false); }

// Everything an Open resets, in order, once the new document is in place.
void frmMain::ShowOpenedDocument() {
  EnableEditing(true);
  ShowTitle();
  ShowHeader(document_.Mesh(), controls_);
  map_views_.ResetView();
  legend_.SetDefaultLevels();
  tracks_.Clear();
  RedrawMaps();
  map_views_.ShowCursorPosition(0, 0);
  if (!document_.FileName().isEmpty()) recent_files_.Add(document_.FileName());
  ShowNeighbours();
}

void frmMain::ShowNeighbours() {
  if (document_.FileName().isEmpty()) {
    for (QAction* action : menus_.neighbourActions) action->setEnabled(false);
    return;
  }
  for (int i = 0; i < 8; ++i) {
    menus_.neighbourActions[i]->setEnabled(!NeighbourMeshFile(document_.FileName(), document_.Mesh().MeshCode.Text(),
                                                               static_cast<CompassDirection>(i))
                                                 .isEmpty());
  }
}

// The neighbour opens as Open does, and the view and the cursor land at
// the edge the step crossed, in the same row or column as before.
void frmMain::OpenNeighbour(CompassDirection direction) {
  const QString path = NeighbourMeshFile(document_.FileName(), document_.Mesh().MeshCode.Text(), direction);
  if (path.isEmpty() || !SaveOrDiscardChanges()) return;
  const ViewState before = view_;
  if (!file_commands_.OpenPath(path, false)) return;
  WarnOfOtherCode(path);
  const auto [east, north] = EastNorthStep(direction);
  const auto edge = [](int step, int kept) { return step > 0 ? 1 : step < 0 ? kMeshSize : kept; };
  map_views_.ShowViewAt(QPoint(edge(east, before.MapXstart), edge(-north, before.MapYstart)),
                        QPoint(edge(east, before.MapX), edge(-north, before.MapY)));
}

// A file named for the neighbour may hold another mesh, and would then be
// edited and saved as the wrong one.
void frmMain::WarnOfOtherCode(const QString& path) {
  const QString expected = QFileInfo(path).completeBaseName();
  const QString code = QString::fromStdString(document_.Mesh().MeshCode.Text()).trimmed();
  if (code != expected) dialogs_.ShowFileMessage(kCodeDiffersFromName.arg(expected, code), path);
}

void frmMain::RedrawMaps() {
  map_views_.DrawOverview();
  map_views_.DrawDetail();
}

// Until a file is opened the maps stay empty, as they are at start-up.
// Unsaved changes show as Save being enabled, in the menu and the tool bar.
void frmMain::ShowModified(bool modified) {
  menus_.saveAction->setEnabled(modified);
  controls_.saveButton->setEnabled(modified);
  setWindowModified(modified);
}

// Before edits would be lost: true when the command may go on.
bool frmMain::SaveOrDiscardChanges() {
  if (!document_.IsModified()) return true;
  switch (dialogs_.AskToSaveChanges()) {
    case SaveChoice::Save:
      return file_commands_.Save();
    case SaveChoice::Discard:
      return true;
    case SaveChoice::Cancel:
      return false;
  }
  return false;
}

// A mesh chosen from the recent files or dropped on the window opens as Open
// does; one that has gone says so and leaves the recent files.
void frmMain::OpenChosenFile(const QString& path) {
  if (!SaveOrDiscardChanges()) return;
  if (!file_commands_.OpenPath(path, false) && !QFileInfo::exists(path)) recent_files_.Remove(path);
}

// A new mesh has no file until it is saved; its years are this year's.
void frmMain::mnuFileNew_Click() {
  if (!SaveOrDiscardChanges()) return;
  frmNewMesh dialog(this);
  dialogs_.ShowModal(dialog);
  if (dialog.result() != QDialog::Accepted) return;
  std::optional<MeshDocument> mesh = NewMesh(dialog.MeshCode().toStdString(), QDate::currentDate().year());
  if (mesh) document_.Replace(std::move(*mesh), QString());
}

void frmMain::mnuFileOpen_Click() {
  if (SaveOrDiscardChanges()) file_commands_.Open();
}

void frmMain::mnuFileSave_Click() { file_commands_.Save(); }

void frmMain::mnuFileSaveAs_Click() { file_commands_.SaveAs(); }

void frmMain::mnuToolsTruckOpen_Click() {
  const std::optional<OpenChoice> choice = dialogs_.OpenFile(QStringLiteral("ﾄﾗｯｸ開く"), kTrackFilters, false);
  if (choice && !choice->path.isEmpty()) LoadTrackFile(choice->path);
}

void frmMain::LoadTrackFile(const QString& path) {
  if (!document_.IsOpen()) return;
  const TrackReadResult result = ReadTrackFile(LocalPath(path), document_.Mesh(), tracks_);
  for (Warning warning : result.warnings) dialogs_.ShowFileMessage(Message(warning), path);
  if (result.error) dialogs_.ShowFileMessage(Message(*result.error), path);
  if (!result.draw) return;
  dialogs_.RememberFolder(path);
  if (!result.reaches_mesh) dialogs_.ShowFileMessage(kTrackMissesMesh, path);
  map_views_.DrawTracks();
  map_views_.DrawDetail();
}

void frmMain::mnuToolsTruckClear_Click() {
  tracks_.Clear();
  RedrawMaps();
}

// Both maps follow the choice at once; the mark shows which one is in force.
void frmMain::ShowTracks(bool shown) {
  menus_.trackShowAction->setChecked(shown);
  menus_.trackHideAction->setChecked(!shown);
  map_views_.SetTracksShown(shown);
  RedrawMaps();
}

// The choices take effect at once and are remembered for the next start.
void frmMain::mnuToolsOptions_Click() {
  Settings settings;
  frmOptions options({.shaded_relief = settings.ShadedRelief(),
                      .hatch_omitted_rows = settings.HatchOmittedRows(),
                      .auto_move_direction = settings.AutoMoveDirection()},
                     this);
  dialogs_.ShowModal(options);
  if (options.result() != QDialog::Accepted) return;
  const Options chosen = options.Chosen();
  menus_.shadeAction->setChecked(chosen.shaded_relief);
  settings.SetHatchOmittedRows(chosen.hatch_omitted_rows);
  ShowOmittedRowsHatched(chosen.hatch_omitted_rows);
  settings.SetAutoMoveDirection(chosen.auto_move_direction);
  editor_.SetAutoMoveDirection(chosen.auto_move_direction);
}

void frmMain::mnuHelpAbout_Click() {
  frmAbout about(dialogs_, this);
  dialogs_.ShowModal(about);
}

void frmMain::tbToolBar_ButtonClick(QAction* button) {
  const QString key = button->data().toString();
  if (key == QStringLiteral("新規作成")) {
    mnuFileNew_Click();
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

void frmMain::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedFile(*event->mimeData()).isEmpty()) event->acceptProposedAction();
}

// A dropped mesh opens as Open does; a dropped track or GPX log loads as ﾄﾗｯｸ開く does.
void frmMain::dropEvent(QDropEvent* event) {
  const QString path = DroppedFile(*event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  if (IsTrackFile(path)) {
    LoadTrackFile(path);
  } else {
    OpenChosenFile(path);
  }
}

}  // namespace koravel
