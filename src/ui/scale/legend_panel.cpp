#include "ui/scale/legend_panel.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <cmath>

#include "core/mesh/mesh_document.h"
#include "core/scale/elevation_scale.h"
#include "core/scale/scale_presets.h"
#include "core/text/typed_number.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_bridge.h"
#include "ui/document/document.h"
#include "ui/document/editing_session.h"
#include "ui/views/grid_painter.h"
#include "ui/views/omitted_row_brush.h"
#include "ui/views/picture.h"

namespace koravel {
namespace {

constexpr int kSwatchSize = 240;
constexpr int kLowestSwatchTop = 3600;

QColor ToQColor(RgbColor color) { return QColor(color.Red, color.Green, color.Blue); }

RgbColor ToRgb(const QColor& color) {
  return {static_cast<std::uint8_t>(color.red()), static_cast<std::uint8_t>(color.green()),
          static_cast<std::uint8_t>(color.blue())};
}

std::optional<double> ShownLevel(const QLineEdit* field) { return TypedNumber(field->text().toStdString()); }

QString Metres(std::optional<double> level) { return QString::fromStdString(LevelText(level.value_or(0))); }

// The range a level may take between the levels beside it, in the words of
// the elevation field's range message.
QString LevelRangeMessage(std::optional<double> below, std::optional<double> above) {
  if (!below) return QStringLiteral("境界の標高は%1m以下で入力して下さい。").arg(Metres(above));
  if (!above) return QStringLiteral("境界の標高は%1m以上で入力して下さい。").arg(Metres(below));
  return QStringLiteral("境界の標高は%1m～%2mの範囲で入力して下さい。").arg(Metres(below), Metres(above));
}

}  // namespace

LegendPanel::LegendPanel(EditingSession& session, const Document& document, const GridPainter& painter,
                         Dialogs& dialogs, const Widgets& widgets)
    : session_(session), document_(document), dialogs_(dialogs), painter_(painter), widgets_(widgets) {
  for (int i = 0; i < 3; ++i) {
    connect(widgets_.presets[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
  }
  connect(&widgets_.redraw, &QPushButton::clicked, &session_, &EditingSession::Redraw);
  for (QLineEdit* field : widgets_.levels) field->installEventFilter(this);
  connect(&widgets_.swatches, &Picture::Pressed, this, [this](double, double y) { Picture3_MouseDown(y); });
  // A picture starts a blank image when its size or screen density changes.
  connect(&widgets_.swatches, &Picture::ImageReplaced, this, &LegendPanel::DrawLegend);
  connect(&session_, &EditingSession::ScaleChanged, this, &LegendPanel::ShowScale);
  connect(&session_, &EditingSession::DisplayChanged, this, [this] {
    widgets_.no_data_swatch.setVisible(session_.HatchOmittedRows());
    widgets_.no_data_caption.setVisible(session_.HatchOmittedRows());
    ShowScale();
  });
  ShowScale();
}

// A field keeps its text while that reads as its level: "0200" typed and
// taken stays until the field is left. The slope and the difference from a
// reference have legends of their own, which cannot be edited.
void LegendPanel::ShowScale() {
  const bool editable = !session_.ShowsDifference() && !session_.ShowsSlope();
  for (int i = 0; i < kScaleLevelCount; ++i) {
    if (TypedNumber(widgets_.levels[i]->text().toStdString()) != painter_.ShownScale().ScaleLevels[i]) ShowLevel(i);
    widgets_.levels[i]->setEnabled(editable);
  }
  for (QPushButton* preset : widgets_.presets) preset->setEnabled(editable);
  widgets_.title.setText(session_.ShowsDifference() ? QStringLiteral("差の凡例　　　　　(m)")
                         : session_.ShowsSlope()    ? QStringLiteral("傾斜凡例　　　　　(度)")
                                                    : QStringLiteral("標高凡例　　　　　(m)"));
  DrawLegend();
}

// Swatch 0, the lowest band, lies at the bottom; swatch 15 at the top.
void LegendPanel::DrawLegend() {
  for (int i = 0; i < kScaleColorCount; ++i) {
    const int top = kLowestSwatchTop - kSwatchSize * i;
    widgets_.swatches.FillBox(0, top, kSwatchSize, kSwatchSize, ToQColor(painter_.ShownScale().ScaleColors[i]));
  }
  DrawNoDataSwatch();
}

// Omitted rows hold no data, coloured as such and hatched.
void LegendPanel::DrawNoDataSwatch() {
  const double ratio = widgets_.no_data_swatch.devicePixelRatioF();
  QPixmap swatch(widgets_.no_data_swatch.size() * ratio);
  swatch.setDevicePixelRatio(ratio);
  const QColor colour = ToQColor(session_.Scale().ElevationColor(kNoData));
  swatch.fill(colour);
  QPainter(&swatch).fillRect(QRect(QPoint(), widgets_.no_data_swatch.size()), OmittedRowBrush(colour.rgb()));
  widgets_.no_data_swatch.setPixmap(swatch);
}

bool LegendPanel::eventFilter(QObject* watched, QEvent* event) {
  for (int i = 0; i < kScaleLevelCount; ++i) {
    if (watched != widgets_.levels[i]) continue;
    if (IsEnterKey(event)) Text3_Enter(i);
    if (FocusMovedOn(event)) ShowLevel(i);
  }
  return QObject::eventFilter(watched, event);
}

void LegendPanel::Command1_Click(int preset) {
  ElevationScale scale = session_.Scale();
  const MeshDocument& mesh = document_.Mesh();
  if (preset == 0) {
    scale.SetDefaultColors();
    scale.SetDefaultLevels();
  } else if (preset == 1) {
    SpreadLevelsFromLowestToHighest(scale, mesh.MinElevation, mesh.MaxElevation);
  } else {
    StepLevelsFromLowest(scale, mesh.MinElevation);
  }
  session_.SetScale(scale);
}

// A level must stay between the levels its neighbours show; a text that is
// no number is refused the same way, with the range it may take.
void LegendPanel::Text3_Enter(int index) {
  const std::optional<double> value = ShownLevel(widgets_.levels[index]);
  const std::optional<double> below = index > 0 ? ShownLevel(widgets_.levels[index - 1]) : std::nullopt;
  const std::optional<double> above =
      index < kScaleLevelCount - 1 ? ShownLevel(widgets_.levels[index + 1]) : std::nullopt;
  if (!value || !LevelFitsBetweenNeighbours(index, *value, below, above)) {
    dialogs_.ShowMessage(LevelRangeMessage(below, above));
    ShowLevel(index);
    widgets_.levels[index]->selectAll();
    return;
  }
  ElevationScale scale = session_.Scale();
  scale.ScaleLevels[index] = *value;
  session_.SetScale(scale);
}

void LegendPanel::ShowLevel(int index) {
  widgets_.levels[index]->setText(QString::fromStdString(LevelText(painter_.ShownScale().ScaleLevels[index])));
}

void LegendPanel::Picture3_MouseDown(double y) {
  if (session_.ShowsDifference() || session_.ShowsSlope()) return;
  const int swatch = kScaleColorCount - 1 - static_cast<int>(std::floor(y / kSwatchSize));
  if (swatch < 0 || swatch >= kScaleColorCount) return;
  ElevationScale scale = session_.Scale();
  const std::optional<QColor> chosen =
      dialogs_.ChooseColor(QStringLiteral("標高色の設定"), ToQColor(scale.ScaleColors[swatch]));
  if (!chosen) return;
  scale.ScaleColors[swatch] = ToRgb(*chosen);
  session_.SetScale(scale);
}

}  // namespace koravel
