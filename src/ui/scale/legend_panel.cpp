#include "scale/legend_panel.h"

#include "mesh/lenient_number.h"
#include "views/picture.h"

namespace koravel {
namespace {

constexpr int kSwatchSize = 240;
constexpr int kLowestSwatchTop = 3600;

}  // namespace

LegendPanel::LegendPanel(ElevationScale& scale, Picture& swatches,
                         const std::array<QLineEdit*, 15>& levels)
    : scale_(scale), swatches_(swatches), levels_(levels) {}

void LegendPanel::SetDefaultColors() {
  scale_.SetDefaultColors();
  DrawLegend();
}

void LegendPanel::SetDefaultLevels() {
  for (int i = 0; i < kScaleLevelCount; ++i) {
    levels_[i]->setText(QString::fromUtf8(kDefaultLevelTexts[i].data(), kDefaultLevelTexts[i].size()));
  }
  for (int i = 0; i < kScaleLevelCount; ++i) {
    scale_.ScaleLevels[i] = number(levels_[i]->text().toStdString());
  }
}

// Swatch 0, the lowest band, lies at the bottom; swatch 15 at the top.
void LegendPanel::DrawLegend() {
  for (int i = 0; i < kScaleColorCount; ++i) {
    const RgbColor color = scale_.ScaleColors[i];
    const int top = kLowestSwatchTop - kSwatchSize * i;
    swatches_.FillBox(0, top, kSwatchSize, top + kSwatchSize, QColor(color.Red, color.Green, color.Blue));
  }
}

}  // namespace koravel
