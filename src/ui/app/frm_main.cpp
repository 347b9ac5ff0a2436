#include "ui/app/frm_main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QRadioButton>
#include <QStatusBar>
#include <QToolBar>

#include "ui/app/captions.h"
#include "ui/app/design_layout.h"
#include "ui/app/design_names.h"
#include "ui/app/frm_about.h"
#include "ui/app/frm_options.h"
#include "ui/app/header_display.h"
#include "ui/app/window_geometry.h"
#include "ui/common/qt_bridge.h"
#include "ui/common/settings.h"
#include "ui/edit/frm_go_to.h"

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

constexpr int kDesignWidth = 9600;  // twips, the window's design size
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
      session_(document_),
      controls_(CreateMainWindowControls(CreateClientArea(*this))),
      menus_(CreateMainWindowMenus(*menuBar(), *controls_.toolBar)),
      status_(*statusBar()),
      grid_painter_(document_, session_),
      overview_(document_, session_, grid_painter_, *controls_.overviewMap),
      detail_(document_, session_, grid_painter_,
              {.detail = *controls_.detailMap,
               .horizontal = *controls_.horizontalScroll,
               .vertical = *controls_.verticalScroll}),
      readout_(document_, session_, status_, *controls_.pointerReadout),
      legend_(session_, document_, grid_painter_, dialogs,
              {.title = *controls_.legendTitle,
               .swatches = *controls_.legendSwatches,
               .levels = controls_.levelEdits,
               .presets = controls_.presetButtons,
               .redraw = *controls_.redrawButton,
               .no_data_swatch = *controls_.noDataSwatch,
               .no_data_caption = *controls_.noDataCaption}),
      editor_(document_, session_, dialogs,
              {.value = *controls_.elevationEdit,
               .brush = *controls_.brushEdit,
               .brush_caption = *controls_.brushCaption,
               .directions = *controls_.autoMoveFrame,
               .options = controls_.autoMoveOptions,
               .brush_size = *controls_.brushSizeBox,
               .point_mode = *menus_.pointEditModeAction,
               .brush_mode = *menus_.brushModeAction,
               .select_mode = *menus_.selectModeAction,
               .detail = *controls_.detailMap}),
      selection_(document_, session_, dialogs,
                 {.detail = *controls_.detailMap,
                  .select_all = *menus_.selectAllAction,
                  .select_by_value = *menus_.selectByValueAction,
                  .lasso = *menus_.lassoAction}),
      sketch_(document_, session_,
              {.detail = *controls_.detailMap,
               .profile_line = *menus_.profileLineAction,
               .measure = *menus_.measureAction,
               .profile_panel = *menus_.profileAction}),
      profile_panel_(document_, session_, dialogs, *this, *menus_.profileAction),
      region_commands_(document_, session_, dialogs, menus_.selectionActions),
      check_panel_(document_, session_,
                   {.window = *this,
                    .toggle = *menus_.checkAction,
                    .next = *menus_.nextFindingAction,
                    .previous = *menus_.previousFindingAction}),
      comment_field_(document_, dialogs, *controls_.commentEdit),
      dem_commands_(dialogs, document_, session_),
      file_commands_(dialogs, document_, session_, dem_commands_, *this),
      track_commands_(dialogs, document_, session_),
      map_picture_(document_, session_, grid_painter_),
      picture_commands_(dialogs, document_, map_picture_, *this),
      recent_files_(*menus_.recentFilesMenu) {
  setObjectName("frmMain");
  setFont(DesignFont());
  setAcceptDrops(true);
  statusBar()->setObjectName(design_name::statusBar);
  FitLayoutToDesign();
  ConnectFileMenu();
  ConnectEditAndViewMenus();
  ConnectToolsMenu();
  ConnectDocument();
  KeepUndoForTheDocument();
  StartUp();
}

void frmMain::ConnectFileMenu() {
  connect(menus_.newAction, &QAction::triggered, this, [this] { file_commands_.New(); });
  connect(menus_.openAction, &QAction::triggered, this, [this] { file_commands_.Open(); });
  connect(menus_.saveAction, &QAction::triggered, this, [this] { file_commands_.Save(); });
  connect(menus_.saveAsAction, &QAction::triggered, this, [this] { file_commands_.SaveAs(); });
  connect(menus_.exportAction, &QAction::triggered, this, [this] { file_commands_.Export(); });
  connect(menus_.pictureAction, &QAction::triggered, this, [this] { picture_commands_.SaveAsPicture(); });
  connect(menus_.printAction, &QAction::triggered, this, [this] { picture_commands_.Print(); });
  connect(menus_.exitAction, &QAction::triggered, this, &QWidget::close);
  // A mesh that has gone says so and leaves the recent files.
  connect(&recent_files_, &RecentFiles::Chosen, this, [this](const QString& path) {
    if (!file_commands_.OpenChosen(path) && !QFileInfo::exists(path)) recent_files_.Remove(path);
  });
  for (int i = 0; i < 8; ++i) {
    connect(menus_.neighbourActions[i], &QAction::triggered, this,
            [this, i] { file_commands_.OpenNeighbour(static_cast<CompassDirection>(i)); });
  }
  // Files come and go while the window is open, mostly while it is in the
  // background; the Alt+arrow keys reach only the items enabled.
  connect(menus_.neighbourMenu, &QMenu::aboutToShow, this, &frmMain::ShowNeighbours);
  connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
    if (state == Qt::ApplicationActive) ShowNeighbours();
  });
}

void frmMain::ConnectEditAndViewMenus() {
  connect(menus_.undoAction, &QAction::triggered, &document_, &Document::Undo);
  connect(menus_.redoAction, &QAction::triggered, &document_, &Document::Redo);
  connect(menus_.goToAction, &QAction::triggered, this, &frmMain::mnuEditGoTo_Click);
  // Esc ends a line being drawn before it lets go of the cells chosen.
  connect(menus_.deselectAction, &QAction::triggered, this, [this] {
    if (!sketch_.End()) session_.SetSelection(CellSelection());
  });
  connect(&session_, &EditingSession::BrushChanged, this, [](BrushSize size) { Settings().SetBrush(size); });
  connect(menus_.zoomInAction, &QAction::triggered, this, [this] { session_.ZoomBy(Viewport::kZoomStep); });
  connect(menus_.zoomOutAction, &QAction::triggered, this, [this] { session_.ZoomBy(1 / Viewport::kZoomStep); });
  connect(menus_.zoomActualAction, &QAction::triggered, &session_, &EditingSession::ZoomToActualSize);
  connect(menus_.shadeAction, &QAction::toggled, this, &frmMain::ShowShadedRelief);
  connect(menus_.differenceAction, &QAction::toggled, &session_, &EditingSession::SetShowsDifference);
  connect(menus_.slopeAction, &QAction::toggled, &session_, &EditingSession::SetShowsSlope);
  connect(menus_.neighboursAction, &QAction::toggled, &session_, &EditingSession::SetShowsNeighbours);
  connect(menus_.contourAction, &QAction::toggled, this, [this](bool shown) {
    ContourSettings contours = session_.Contours();
    contours.shown = shown;
    session_.SetContours(contours);
    Settings().SetContours(contours);
  });
  // The difference needs a reference, which a new mesh drops.
  connect(&session_, &EditingSession::ReferenceChanged, this, [this] {
    menus_.differenceAction->setEnabled(session_.Reference().has_value());
    if (!session_.Reference()) menus_.differenceAction->setChecked(false);
  });
}

void frmMain::ConnectToolsMenu() {
  connect(menus_.trackOpenAction, &QAction::triggered, this, [this] { track_commands_.Open(); });
  connect(menus_.trackClearAction, &QAction::triggered, this, [this] { track_commands_.Clear(); });
  connect(menus_.trackShowAction, &QAction::triggered, this, [this] { track_commands_.Show(true); });
  connect(menus_.trackHideAction, &QAction::triggered, this, [this] { track_commands_.Show(false); });
  connect(menus_.referenceAction, &QAction::triggered, this, [this] { dem_commands_.LoadReference(); });
  connect(menus_.optionsAction, &QAction::triggered, this, &frmMain::mnuToolsOptions_Click);
  connect(menus_.aboutAction, &QAction::triggered, this, &frmMain::mnuHelpAbout_Click);
}

void frmMain::ConnectDocument() {
  connect(&document_, &Document::Replaced, this, &frmMain::ShowOpenedDocument);
  connect(&document_, &Document::ModifiedChanged, this, &frmMain::ShowModified);
  connect(&document_, &Document::FileNameChanged, this, &frmMain::ShowFileName);
  connect(&document_.UndoStack(), &QUndoStack::canUndoChanged, menus_.undoAction, &QAction::setEnabled);
  connect(&document_.UndoStack(), &QUndoStack::canRedoChanged, menus_.redoAction, &QAction::setEnabled);
}

// The design's size is the whole window's; the client gets what the menu
// and status bars leave of it.
void frmMain::FitLayoutToDesign() {
  const int bars = menuBar()->sizeHint().height() + statusBar()->sizeHint().height();
  controls_.layout->SetDesignSize(QSize(kDesignWidth / kTwipsPerPixel, kDesignHeight / kTwipsPerPixel - bars));
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
  menus_.trackShowAction->setChecked(true);
  menus_.differenceAction->setEnabled(false);
  for (int i = 1; i < 4; ++i) controls_.sheetNameLabels[i]->hide();
  controls_.severalSheetsCaption->hide();
  const Settings settings;
  session_.SetMode(EditMode::PointEdit);
  session_.SetAutoMoveDirection(settings.AutoMoveDirection());
  session_.SetHatchOmittedRows(settings.HatchOmittedRows());
  session_.SetBrush(settings.Brush());
  session_.SetLight(settings.Light());
  session_.SetContours(settings.Contours());
  menus_.contourAction->setChecked(settings.Contours().shown);
  menus_.shadeAction->setChecked(settings.ShadedRelief());
}

void frmMain::ShowShadedRelief(bool shaded) {
  session_.SetShaded(shaded);
  Settings().SetShadedRelief(shaded);
}

// Nothing can be saved or exported before a mesh is opened or made.
void frmMain::EnableEditing(bool enabled) {
  for (QAction* action : {menus_.saveAsAction, menus_.exportAction, menus_.pictureAction, menus_.printAction,
                          menus_.trackOpenAction, menus_.selectAllAction,
                          menus_.selectByValueAction, menus_.goToAction, menus_.referenceAction,
                          menus_.profileAction, menus_.profileLineAction, menus_.measureAction}) {
    action->setEnabled(enabled);
  }
}

// "NAME.mem - Koravel", with Qt's mark of unsaved changes after the name.
void frmMain::ShowTitle() {
  const QString file = document_.FileName();
  if (!document_.IsOpen()) {
    setWindowTitle(QStringLiteral("Koravel"));
  } else if (file.isEmpty()) {
    setWindowTitle(
        QStringLiteral("%1.mem[*] - Koravel").arg(QString::fromStdString(document_.Mesh().MeshCode.Text()).trimmed()));
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

void frmMain::LoadTrackFile(const QString& path) { track_commands_.Load(path); }

// What the window shows of a mesh put in place; the session resets itself.
void frmMain::ShowOpenedDocument() {
  EnableEditing(true);
  ShowTitle();
  ShowHeader(document_.Mesh(), controls_);
  if (!document_.FileName().isEmpty()) recent_files_.Add(document_.FileName());
  ShowNeighbours();
}

void frmMain::ShowNeighbours() {
  for (int i = 0; i < 8; ++i) {
    menus_.neighbourActions[i]->setEnabled(!file_commands_.NeighbourFile(static_cast<CompassDirection>(i)).isEmpty());
  }
}

// Unsaved changes show as Save being enabled, and as the title's mark.
void frmMain::ShowModified(bool modified) {
  menus_.saveAction->setEnabled(modified);
  setWindowModified(modified);
}

void frmMain::mnuEditGoTo_Click() {
  frmGoTo dialog(session_.Cursor(), this);
  dialogs_.ShowModal(dialog);
  if (dialog.result() != QDialog::Accepted) return;
  const std::variant<QPoint, QString> target = dialog.Target(document_.Mesh());
  if (const QString* failure = std::get_if<QString>(&target)) return dialogs_.ShowMessage(*failure);
  session_.JumpToCell(std::get<QPoint>(target));
}

// The choices take effect at once and are remembered for the next start.
void frmMain::mnuToolsOptions_Click() {
  Settings settings;
  frmOptions options({.shaded_relief = settings.ShadedRelief(),
                      .hatch_omitted_rows = settings.HatchOmittedRows(),
                      .auto_move_direction = settings.AutoMoveDirection(),
                      .hole_cells = settings.HoleCells(),
                      .light = settings.Light(),
                      .contours = session_.Contours()},
                     this);
  dialogs_.ShowModal(options);
  if (options.result() != QDialog::Accepted) return;
  const Options chosen = options.Chosen();
  menus_.shadeAction->setChecked(chosen.shaded_relief);
  settings.SetHatchOmittedRows(chosen.hatch_omitted_rows);
  session_.SetHatchOmittedRows(chosen.hatch_omitted_rows);
  settings.SetAutoMoveDirection(chosen.auto_move_direction);
  session_.SetAutoMoveDirection(chosen.auto_move_direction);
  settings.SetHoleCells(chosen.hole_cells);
  settings.SetLight(chosen.light);
  session_.SetLight(chosen.light);
  settings.SetContours(chosen.contours);
  session_.SetContours(chosen.contours);
}

void frmMain::mnuHelpAbout_Click() {
  frmAbout about(dialogs_, this);
  dialogs_.ShowModal(about);
}

void frmMain::closeEvent(QCloseEvent* event) {
  if (!file_commands_.SaveOrDiscardChanges()) {
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
    track_commands_.Load(path);
  } else {
    file_commands_.OpenChosen(path);
  }
}

}  // namespace koravel
