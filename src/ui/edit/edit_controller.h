#pragma once

#include <QObject>
#include <array>
#include <utility>

#include "ui/common/dialogs.h"
#include "ui/document/document.h"
#include "core/edit/editing_state.h"
#include "core/views/view_state.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace koravel {

class MapViews;
class Picture;
class StatusPanels;

/// Editing the grid: value entry in the elevation field with its steps and
/// arrow keys, picking and dragging in the detail view, the brush and the
/// two edit modes. Every value goes to the document as a command.
class EditController : public QObject {
 public:
  struct Widgets {
    QLineEdit& value;
    QLineEdit& brush;
    QLabel& brush_caption;
    QGroupBox& directions;
    std::array<QRadioButton*, 4> options;
    QAction& point_mode;
    QAction& brush_mode;
    Picture& detail;
    StatusPanels& status;
  };

  EditController(Document& document, ViewState& view, EditingState& editing, MapViews& maps,
                 Dialogs& dialogs, const Widgets& widgets);

  /// Stores `tenths` in the cursor cell as one undo step.
  void SetCellValue(std::int32_t tenths);
  /// The step after each entry, with its option button.
  void SetAutoMoveDirection(MoveDirection direction);

  void mnuEditpointEditMode_Click();
  void mnuEditBrushMode_Click();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Connect();
  bool Text2_KeyDown(int key);
  void Text2_LostFocus();
  void EnterValue();
  void MoveCursor(MoveDirection direction);
  void Picture2_MouseDown(double x, double y, Qt::MouseButton button);
  void Picture2_MouseMove(double x, double y, Qt::MouseButtons buttons);
  bool AcceptBrushHeight();
  void PaintTo(std::pair<int, int> cell);
  void ShowMode(int mode);
  void ShowCursorValue(const QRect& changed);
  void RestoreCursorValue();
  QString CursorValueText() const;

  Document& document_;
  ViewState& view_;
  EditingState& editing_;
  MapViews& maps_;
  Dialogs& dialogs_;
  Widgets widgets_;
  std::pair<int, int> dragged_cell_;  ///< the view cell the pointer last handled
  QString brush_height_;              ///< the brush's last accepted text; empty paints nothing
  std::optional<std::int32_t> stroke_tenths_;  ///< what the stroke under way paints
  std::pair<int, int> stroke_cell_;            ///< the grid cell the stroke last reached
};

}  // namespace koravel
