#pragma once

#include <QObject>
#include <QPoint>
#include <vector>

#include "core/edit/cell_selection.h"
#include "core/edit/selection_shapes.h"

class QAction;

namespace koravel {

class Dialogs;
class Document;
class EditingSession;
class Picture;

/// Choosing cells: in the selection mode a left drag in the detail view
/// chooses a rectangle (with Shift it adds to the cells chosen, with Ctrl it
/// takes them away); with 投げ縄で選択 ticked, or Alt held where the desktop
/// leaves Alt-drags to the window, the drag draws a lasso instead;
/// すべて選択 and 値で選択.
class SelectionController : public QObject {
 public:
  struct Widgets {
    Picture& detail;
    QAction& select_all;
    QAction& select_by_value;
    QAction& lasso;
  };

  SelectionController(const Document& document, EditingSession& session, Dialogs& dialogs, const Widgets& widgets);

 private:
  enum class Combine { Replace, Add, Remove };

  void Pressed(double x, double y, Qt::MouseButton button);
  void Moved(double x, double y, Qt::MouseButtons buttons);
  void ShowDrag();
  void SelectByValue();

  const Document& document_;
  EditingSession& session_;
  Dialogs& dialogs_;
  Widgets widgets_;
  bool dragging_ = false;
  Combine combine_ = Combine::Replace;
  CellSelection before_;            ///< the cells chosen when the drag started
  QPoint anchor_;                   ///< the cell the rectangle started at
  QPoint reached_;                  ///< the cell the pointer reached
  std::vector<GridPoint> lasso_;    ///< the lasso's points so far; empty for a rectangle
};

}  // namespace koravel
