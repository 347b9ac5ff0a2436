#pragma once

#include <QLineEdit>
#include <QObject>
#include <QPushButton>
#include <array>
#include <functional>

#include "app/dialogs.h"
#include "mesh/mesh_document.h"
#include "scale/elevation_scale.h"

namespace koravel {

class Picture;

/// The legend beside the detail view: the 16 colour swatches in Picture3,
/// the 15 level fields Text3, the presets and the redraw button. Every
/// change of the scale ends by redrawing both maps.
class LegendPanel : public QObject {
 public:
  struct Widgets {
    Picture& swatches;                       ///< Picture3
    std::array<QLineEdit*, 15> levels;       ///< Text3
    std::array<QPushButton*, 3> presets;     ///< Command1
    QPushButton& redraw;                     ///< Command2
  };

  LegendPanel(ElevationScale& scale, const MeshDocument& document, Dialogs& dialogs,
              std::function<void()> redraw_maps, const Widgets& widgets);

  /// Default colours into the scale, then the swatches painted again.
  void SetDefaultColors();
  /// Default level texts into the fields, and the scale's levels read back
  /// from them, so that fields and scale agree exactly.
  void SetDefaultLevels();
  void DrawLegend();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Command1_Click(int preset);
  void Text3_Enter(int index);
  void ShowLevel(int index);
  void Picture3_MouseDown(double y);

  ElevationScale& scale_;
  const MeshDocument& document_;
  Dialogs& dialogs_;
  std::function<void()> redraw_maps_;
  Widgets widgets_;
};

}  // namespace koravel
