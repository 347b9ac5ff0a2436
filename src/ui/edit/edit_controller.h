#pragma once

#include <QObject>
#include <array>
#include <functional>
#include <utility>

#include "app/dialogs.h"
#include "edit/editing_state.h"
#include "mesh/mesh_document.h"
#include "views/view_state.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace koravel {

class MapViews;
class Picture;
class StatusPanels;

/// Editing the grid and the comment: value entry in Text2 with its steps
/// and arrow keys, picking and dragging in the detail view, the brush, the
/// two edit modes and the comment field. Every stored value goes through
/// SetCellValue.
class EditController : public QObject {
 public:
  struct Widgets {
    QLineEdit& value;          ///< Text2
    QLineEdit& brush;          ///< Text4
    QLabel& brush_caption;     ///< Label12
    QLineEdit& comment;        ///< Text1
    QGroupBox& directions;     ///< Frame1
    std::array<QRadioButton*, 4> options;  ///< Option1
    QAction& point_mode;       ///< mnuEditpointEditMode
    QAction& brush_mode;       ///< mnuEditBrushMode
    Picture& detail;           ///< Picture2
    StatusPanels& status;
  };

  EditController(MeshDocument& document, ViewState& view, EditingState& editing, MapViews& maps,
                 Dialogs& dialogs, std::function<void()> mark_changed, const Widgets& widgets);

  /// Stores `tenths` in the cursor cell, marks the document changed and
  /// repaints that one cell.
  void SetCellValue(std::int32_t tenths);

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
  void Text4_Change();
  void Text1_Change();
  void BrushStroke();
  void ShowMode(int mode);
  QString CursorValueText() const;

  MeshDocument& document_;
  ViewState& view_;
  EditingState& editing_;
  MapViews& maps_;
  Dialogs& dialogs_;
  std::function<void()> mark_changed_;
  Widgets widgets_;
  std::pair<int, int> dragged_cell_;  ///< the view cell the pointer last handled
};

}  // namespace koravel
