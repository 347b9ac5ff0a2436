#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QPushButton>
#include <array>

namespace koravel {

class Dialogs;
class Document;
class EditingSession;
class GridPainter;
class Picture;

/// The legend beside the detail view: the 16 colour swatches, the 15 level
/// fields, the presets, the redraw button and the swatch of rows without
/// data. It shows the session's scale and changes it.
class LegendPanel : public QObject {
 public:
  struct Widgets {
    QLabel& title;  ///< names what the colours stand for, and its unit
    Picture& swatches;
    std::array<QLineEdit*, 15> levels;
    std::array<QPushButton*, 3> presets;
    QPushButton& redraw;
    QLabel& no_data_swatch;  ///< the hatch of omitted rows, beside its caption
    QLabel& no_data_caption;
  };

  LegendPanel(EditingSession& session, const Document& document, const GridPainter& painter, Dialogs& dialogs,
              const Widgets& widgets);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowScale();
  void DrawLegend();
  void DrawNoDataSwatch();
  void Command1_Click(int preset);
  void Text3_Enter(int index);
  void ShowLevel(int index);
  void Picture3_MouseDown(double y);

  EditingSession& session_;
  const Document& document_;
  Dialogs& dialogs_;
  const GridPainter& painter_;
  Widgets widgets_;
};

}  // namespace koravel
