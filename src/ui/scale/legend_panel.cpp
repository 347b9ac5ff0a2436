#include "ui/scale/legend_panel.h"

#include <QKeyEvent>
#include <cmath>

#include "ui/common/qt_bridge.h"
#include "core/text/lenient_number.h"
#include "core/scale/scale_presets.h"
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

std::optional<double> ShownLevel(const QLineEdit* field) {
  return StrictNumber(field->text().toStdString());
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
}

bool LegendPanel::eventFilter(QObject* watched, QEvent* event) {
  for (int i = 0; i < kScaleLevelCount; ++i) {
    if (watched != widgets_.levels[i]) continue;
    const bool enter = event->type() == QEvent::KeyPress &&
                       (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return ||
                        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Enter);
    if (enter) Text3_Enter(i);
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
// no number, in the field or beside it, is refused the same way.
void LegendPanel::Text3_Enter(int index) {
  const std::optional<double> value = ShownLevel(widgets_.levels[index]);
  const std::optional<double> below = index > 0 ? ShownLevel(widgets_.levels[index - 1]) : std::nullopt;
  const std::optional<double> above =
      index < kScaleLevelCount - 1 ? ShownLevel(widgets_.levels[index + 1]) : std::nullopt;
  if (!value || !LevelFitsBetweenNeighbours(index, *value, below, above)) {
    ShowLevel(index);
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
