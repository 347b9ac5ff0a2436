#include "ui/scale/legend_panel.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <cmath>

#include "ui/common/qt_bridge.h"
#include "core/text/lenient_number.h"
#include "core/text/typed_number.h"
#include "core/scale/scale_presets.h"
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

LegendPanel::LegendPanel(ElevationScale& scale, const Document& document, Dialogs& dialogs,
                         const Widgets& widgets)
    : scale_(scale), document_(document), dialogs_(dialogs), widgets_(widgets) {
  for (int i = 0; i < 3; ++i) {
    connect(widgets_.presets[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
  }
  connect(&widgets_.redraw, &QPushButton::clicked, this, &LegendPanel::ScaleChanged);
  for (QLineEdit* field : widgets_.levels) field->installEventFilter(this);
  connect(&widgets_.swatches, &Picture::Pressed, this, [this](double, double y) { Picture3_MouseDown(y); });
}

void LegendPanel::SetDefaultColors() {
  scale_.SetDefaultColors();
  DrawLegend();
}

void LegendPanel::SetDefaultLevels() {
  for (int i = 0; i < kScaleLevelCount; ++i) {
    widgets_.levels[i]->setText(QString::fromUtf8(kDefaultLevelTexts[i].data(), kDefaultLevelTexts[i].size()));
  }
  for (int i = 0; i < kScaleLevelCount; ++i) {
    scale_.ScaleLevels[i] = number(widgets_.levels[i]->text().toStdString());
  }
}

// Swatch 0, the lowest band, lies at the bottom; swatch 15 at the top.
void LegendPanel::DrawLegend() {
  for (int i = 0; i < kScaleColorCount; ++i) {
    const int top = kLowestSwatchTop - kSwatchSize * i;
    widgets_.swatches.FillBox(0, top, kSwatchSize, kSwatchSize, ToQColor(scale_.ScaleColors[i]));
  }
  DrawNoDataSwatch();
}

// Omitted rows hold no data, coloured as such and hatched.
void LegendPanel::DrawNoDataSwatch() {
  const double ratio = widgets_.no_data_swatch.devicePixelRatioF();
  QPixmap swatch(widgets_.no_data_swatch.size() * ratio);
  swatch.setDevicePixelRatio(ratio);
  const QColor colour = ToQColor(scale_.ElevationColor(kNoData));
  swatch.fill(colour);
  QPainter(&swatch).fillRect(QRect(QPoint(), widgets_.no_data_swatch.size()), OmittedRowBrush(colour.rgb()));
  widgets_.no_data_swatch.setPixmap(swatch);
}

void LegendPanel::ShowNoData(bool shown) {
  widgets_.no_data_swatch.setVisible(shown);
  widgets_.no_data_caption.setVisible(shown);
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
  if (preset == 0) {
    SetDefaultColors();
    SetDefaultLevels();
  } else {
    if (preset == 1) {
      SpreadLevelsFromLowestToHighest(scale_, document_.Mesh().MinElevation, document_.Mesh().MaxElevation);
    } else {
      StepLevelsFromLowest(scale_, document_.Mesh().MinElevation);
    }
    for (int i = 0; i < kScaleLevelCount; ++i) ShowLevel(i);
  }
  emit ScaleChanged();
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
  scale_.ScaleLevels[index] = *value;
  emit ScaleChanged();
}

void LegendPanel::ShowLevel(int index) {
  widgets_.levels[index]->setText(QString::fromStdString(LevelText(scale_.ScaleLevels[index])));
}

void LegendPanel::Picture3_MouseDown(double y) {
  const int swatch = kScaleColorCount - 1 - static_cast<int>(std::floor(y / kSwatchSize));
  if (swatch < 0 || swatch >= kScaleColorCount) return;
  const std::optional<QColor> chosen =
      dialogs_.ChooseColor(QStringLiteral("標高色の設定"), ToQColor(scale_.ScaleColors[swatch]));
  if (!chosen) return;
  scale_.ScaleColors[swatch] = ToRgb(*chosen);
  DrawLegend();
  emit ScaleChanged();
}

}  // namespace koravel
