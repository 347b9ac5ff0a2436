#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QPushButton>
#include <array>

#include "ui/common/dialogs.h"
#include "ui/document/document.h"
#include "core/scale/elevation_scale.h"

namespace koravel {

class Picture;

/// The legend beside the detail view: the 16 colour swatches, the 15 level
/// fields, the presets, the redraw button and the swatch of rows without
/// data. Every change of the scale ends
/// with ScaleChanged, on which both maps are redrawn.
class LegendPanel : public QObject {
  Q_OBJECT

 public:
  struct Widgets {
    Picture& swatches;
    std::array<QLineEdit*, 15> levels;
    std::array<QPushButton*, 3> presets;
    QPushButton& redraw;
    QLabel& no_data_swatch;  ///< the hatch of omitted rows, beside its caption
    QLabel& no_data_caption;
  };

  LegendPanel(ElevationScale& scale, const Document& document, Dialogs& dialogs, const Widgets& widgets);

  /// Default colours into the scale, then the swatches painted again.
  void SetDefaultColors();
  /// Default level texts into the fields, and the scale's levels read back
  /// from them, so that fields and scale agree exactly.
  void SetDefaultLevels();
  void DrawLegend();
  /// Whether the legend shows the hatch of omitted rows, as the maps do.
  void ShowNoData(bool shown);

 signals:
  /// The scale changed, or the user asked for the maps to be drawn anew.
  void ScaleChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Command1_Click(int preset);
  void Text3_Enter(int index);
  void ShowLevel(int index);
  void DrawNoDataSwatch();
  void Picture3_MouseDown(double y);

  ElevationScale& scale_;
  const Document& document_;
  Dialogs& dialogs_;
  Widgets widgets_;
};

}  // namespace koravel
