#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

#include "core/edit/cell_selection.h"
#include "core/edit/cursor_step.h"
#include "core/edit/edit_mode.h"

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace koravel {

class Dialogs;
class Document;
class EditingSession;
class Picture;

/// Editing the grid: value entry in the elevation field with its steps and
/// arrow keys, picking and painting in the detail view, the brush with its
/// size, and the edit modes. Every value goes to the document as a command; the
/// cursor, the mode and the step after an entry are the session's.
class EditController : public QObject {
 public:
  struct Widgets {
    QLineEdit& value;
    QLineEdit& brush;
    QLabel& brush_caption;
    QGroupBox& directions;
    std::array<QRadioButton*, 4> options;
    QComboBox& brush_size;
    QAction& point_mode;
    QAction& brush_mode;
    QAction& select_mode;
    Picture& detail;
  };

  EditController(Document& document, EditingSession& session, Dialogs& dialogs, const Widgets& widgets);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Connect();
  bool Text2_KeyDown(int key);
  void EnterValue();
  void MoveCursor(MoveDirection direction);
  void Picture2_MouseDown(double x, double y, Qt::MouseButton button);
  void Picture2_MouseMove(double x, double y, Qt::MouseButtons buttons);
  bool AcceptBrushHeight();
  void Paint(const CellSelection& cells);
  void ShowMode(EditMode mode);
  void ShowCursorCell();
  void ShowCursorValue(const QRect& changed);
  void RestoreCursorValue();
  QString CursorValueText() const;

  Document& document_;
  EditingSession& session_;
  Dialogs& dialogs_;
  Widgets widgets_;
  bool pointer_held_ = false;                  ///< a button went down in the detail view and is not yet up
  QPoint dragged_cell_;                        ///< the cell the pointer last handled
  QString brush_height_;                       ///< the brush's last accepted text; empty paints nothing
  std::optional<std::int32_t> stroke_tenths_;  ///< what the stroke under way paints
};

}  // namespace koravel
