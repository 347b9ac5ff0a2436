#include "ui/views/profile_panel.h"

#include <QAction>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QPainter>
#include <QPushButton>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <algorithm>

#include "core/analysis/profile_summary.h"
#include "core/export/profile_csv.h"
#include "core/geo/mesh_georeference.h"
#include "core/io/save_file.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_bridge.h"
#include "ui/document/document.h"
#include "ui/document/editing_session.h"
#include "ui/views/profile_chart.h"

namespace koravel {
namespace {

QString Kilometres(double metres) { return QString::number(metres / 1000, 'f', 2) + QStringLiteral(" km"); }
QString Metres(double metres) { return QString::number(metres, 'f', 1) + QStringLiteral(" m"); }

// The figures under the chart, on two lines.
QString FiguresText(const ElevationProfile& profile, const ProfileSummary& s) {
  QString text = QStringLiteral("長さ %1").arg(Kilometres(s.LengthMetres));
  const auto point = [&profile](std::optional<std::size_t> i) {
    const ProfileSample& sample = profile.Samples[*i];
    return QStringLiteral("%1（%2）").arg(Metres(*sample.MeshMetres), Kilometres(sample.DistanceMetres));
  };
  if (s.Lowest) text += QStringLiteral("　最低 %1　最高 %2").arg(point(s.Lowest), point(s.Highest));
  text += QStringLiteral("\n上り %1　下り %2（10 m 未満の上下を除くと上り %3　下り %4）")
              .arg(Metres(s.AscentMetres), Metres(s.DescentMetres), Metres(s.SteadyAscentMetres),
                   Metres(s.SteadyDescentMetres));
  if (s.MeanGpsMinusMeshMetres) {
    text += QStringLiteral("　GPS − メッシュ 平均 %1").arg(Metres(*s.MeanGpsMinusMeshMetres));
  }
  return text;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& text) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  return button;
}

}  // namespace

ProfilePanel::ProfilePanel(const Document& document, EditingSession& session, Dialogs& dialogs, QMainWindow& window,
                           QAction& toggle)
    : document_(document), session_(session), dialogs_(dialogs), toggle_(toggle) {
  dock_ = new QDockWidget(QStringLiteral("断面図"), &window);
  dock_->setObjectName("dckProfile");
  dock_->setWidget(CreateControls());
  window.addDockWidget(Qt::BottomDockWidgetArea, dock_);
  dock_->hide();
  connect(&toggle_, &QAction::toggled, this, [this](bool shown) {
    dock_->setVisible(shown);
    Rebuild();
  });
  connect(dock_, &QDockWidget::visibilityChanged, this, [this] { toggle_.setChecked(!dock_->isHidden()); });
  connect(&session_, &EditingSession::TracksChanged, this, &ProfilePanel::Rebuild);
  connect(&session_, &EditingSession::SketchChanged, this, [this] {
    if (source_->currentIndex() == kDrawnLine) Rebuild();
  });
  connect(&document_, &Document::CellsChanged, this, &ProfilePanel::Rebuild);
  // A line just drawn is what the panel shows, whatever it showed before.
  connect(&session_, &EditingSession::ModeChanged, this, [this](EditMode mode) {
    if (drawing_line_ && mode != EditMode::ProfileLine && session_.ProfileLine().size() > 1) {
      source_->setCurrentIndex(kDrawnLine);
    }
    drawing_line_ = mode == EditMode::ProfileLine;
  });
}

QWidget* ProfilePanel::CreateControls() {
  auto* panel = new QWidget;
  auto* layout = new QVBoxLayout(panel);
  auto* controls = new QHBoxLayout;
  source_ = new QComboBox(panel);
  source_->setObjectName("cboProfileSource");
  source_->addItems({QStringLiteral("トラック (区間ごと)"), QStringLiteral("トラック (つなげる)"), QStringLiteral("引いた線")});
  previous_ = Button(panel, "cmdPreviousPiece", QStringLiteral("◀"));
  piece_ = new QLabel(panel);
  piece_->setObjectName("lblPiece");
  next_ = Button(panel, "cmdNextPiece", QStringLiteral("▶"));
  exaggeration_ = new QDoubleSpinBox(panel);
  exaggeration_->setObjectName("spnProfileExaggeration");
  exaggeration_->setRange(0, 100);
  exaggeration_->setSpecialValueText(QStringLiteral("自動"));
  fixed_ = new QCheckBox(QStringLiteral("軸を固定"), panel);
  fixed_->setObjectName("chkFixedAxes");
  low_ = new QDoubleSpinBox(panel);
  low_->setObjectName("spnAxisLow");
  high_ = new QDoubleSpinBox(panel);
  high_->setObjectName("spnAxisHigh");
  for (QDoubleSpinBox* bound : {low_, high_}) bound->setRange(-999.9, 9999.9);
  high_->setValue(1000);
  controls->addWidget(source_);
  for (QWidget* w : std::initializer_list<QWidget*>{previous_, piece_, next_}) controls->addWidget(w);
  controls->addWidget(new QLabel(QStringLiteral("縦の誇張"), panel));
  controls->addWidget(exaggeration_);
  for (QWidget* w : std::initializer_list<QWidget*>{fixed_, low_, high_}) controls->addWidget(w);
  auto* save_csv = Button(panel, "cmdSaveProfileCsv", QStringLiteral("CSVで保存..."));
  auto* save_picture = Button(panel, "cmdSaveProfilePicture", QStringLiteral("画像として保存..."));
  controls->addWidget(save_csv);
  controls->addWidget(save_picture);
  controls->addStretch();
  layout->addLayout(controls);
  chart_ = new ProfileChart(panel);
  chart_->setObjectName("picProfile");
  layout->addWidget(chart_, 1);
  figures_ = new QLabel(panel);
  figures_->setObjectName("lblFigures");
  figures_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(figures_);
  connect(source_, &QComboBox::currentIndexChanged, this, [this] {
    piece_index_ = 0;
    Rebuild();
  });
  connect(previous_, &QPushButton::clicked, this, [this] { --piece_index_, ShowPiece(); });
  connect(next_, &QPushButton::clicked, this, [this] { ++piece_index_, ShowPiece(); });
  // Bounds typed the wrong way round are taken the right way; equal ones fix nothing.
  const auto axes = [this] {
    const double low = std::min(low_->value(), high_->value());
    const double high = std::max(low_->value(), high_->value());
    const bool fixed = fixed_->isChecked() && low < high;
    chart_->SetAxes({exaggeration_->value(), fixed ? std::optional(low) : std::nullopt,
                     fixed ? std::optional(high) : std::nullopt});
  };
  connect(exaggeration_, &QDoubleSpinBox::valueChanged, this, axes);
  connect(fixed_, &QCheckBox::toggled, this, axes);
  connect(low_, &QDoubleSpinBox::valueChanged, this, axes);
  connect(high_, &QDoubleSpinBox::valueChanged, this, axes);
  connect(chart_, &ProfileChart::Hovered, this, &ProfilePanel::MarkSample);
  connect(save_csv, &QPushButton::clicked, this, &ProfilePanel::SaveCsv);
  connect(save_picture, &QPushButton::clicked, this, &ProfilePanel::SavePicture);
  return panel;
}

// The line of the source chosen: the track's points, or the drawn line's
// corners on the Tokyo datum.
std::optional<TrackPoints> ProfilePanel::Line() const {
  if (source_->currentIndex() != kDrawnLine) return session_.Tracks().Points();
  if (session_.ProfileLine().size() < 2) return std::nullopt;
  const MeshGeoreference georeference = MeshGeoreference::Of(document_.Mesh());
  TrackPoints line;
  bool first = true;
  for (const GridPoint& point : session_.ProfileLine()) {
    line.Append({georeference.ToGeographic(point), std::nullopt}, first);
    first = false;
  }
  return line;
}

void ProfilePanel::Rebuild() {
  if (dock_->isHidden() || !document_.IsOpen()) return;
  profile_ = {};
  if (const std::optional<TrackPoints> line = Line()) {
    auto built = BuildProfile(document_.Mesh(), *line, {50, source_->currentIndex() == kTrackJoined});
    if (const ErrorCode* error = std::get_if<ErrorCode>(&built)) {
      dialogs_.ShowMessage(Message(*error));
    } else {
      profile_ = std::move(std::get<ElevationProfile>(built));
    }
  }
  ShowPiece();
}

// A piece of the track at a time, or the whole line; its figures below.
void ProfilePanel::ShowPiece() {
  const int pieces = static_cast<int>(profile_.PieceStarts.size());
  const bool by_piece = source_->currentIndex() == kTrackPieces && pieces > 1;
  piece_index_ = std::clamp(piece_index_, 0, std::max(0, pieces - 1));
  const std::size_t first = by_piece ? profile_.PieceStarts[piece_index_] : 0;
  const std::size_t end = by_piece && piece_index_ + 1 < pieces ? profile_.PieceStarts[piece_index_ + 1] : profile_.Samples.size();
  for (QWidget* w : std::initializer_list<QWidget*>{previous_, piece_, next_}) w->setVisible(by_piece);
  piece_->setText(QStringLiteral("%1 / %2").arg(piece_index_ + 1).arg(pieces));
  chart_->SetProfile(profile_, first, end);
  ElevationProfile shown;
  shown.Samples.assign(profile_.Samples.begin() + static_cast<std::ptrdiff_t>(first),
                       profile_.Samples.begin() + static_cast<std::ptrdiff_t>(end));
  shown.PieceStarts = {0};
  figures_->setText(shown.Samples.empty() ? QStringLiteral("断面図にする線がありません。") : FiguresText(shown, Summarize(shown)));
}

void ProfilePanel::MarkSample(std::optional<std::size_t> sample) {
  if (!sample) return session_.SetProfileMark(std::nullopt);
  session_.SetProfileMark(MeshGeoreference::Of(document_.Mesh()).ToGrid(profile_.Samples[*sample].Position));
}

void ProfilePanel::SaveCsv() {
  const std::optional<QString> path =
      dialogs_.SaveFile(QStringLiteral("断面図をCSVで保存"), {QStringLiteral("CSV (*.csv)")}, QStringLiteral("profile.csv"));
  if (!path) return;
  if (const auto failure = WriteFileContents(LocalPath(*path), ProfileCsv(profile_))) {
    return dialogs_.ShowFileMessage(Message(*failure), *path);
  }
  dialogs_.RememberFolder(*path);
}

// PNG at the chart's size, or SVG, which CAD and drawing programs take.
void ProfilePanel::SavePicture() {
  const std::optional<QString> path = dialogs_.SaveFile(
      QStringLiteral("断面図を画像として保存"), {QStringLiteral("PNG (*.png)"), QStringLiteral("SVG (*.svg)")},
      QStringLiteral("profile.png"));
  if (!path) return;
  QBuffer bytes;
  bytes.open(QIODevice::WriteOnly);
  if (path->endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
    QSvgGenerator svg;
    svg.setOutputDevice(&bytes);
    svg.setSize(chart_->size());
    svg.setViewBox(chart_->rect());
    QPainter painter(&svg);
    chart_->Draw(painter, chart_->rect());
  } else {
    chart_->grab().save(&bytes, "PNG");
  }
  if (const auto failure = WriteFileContents(LocalPath(*path), bytes.data().toStdString())) {
    return dialogs_.ShowFileMessage(Message(*failure), *path);
  }
  dialogs_.RememberFolder(*path);
}

}  // namespace koravel
