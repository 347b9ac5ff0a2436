#pragma once

#include <QObject>
#include <QPointF>
#include <optional>

#include "ui/views/grid_painter.h"

class QScrollBar;

namespace koravel {

class Document;
class EditingSession;
class Picture;

/// The detail view: the cells the session's view shows at its zoom, the
/// cursor outline, and the scroll bars. The wheel scrolls and, with Ctrl,
/// zooms; the middle button pans; the pointer names its cell. Presses with
/// the other buttons are the edit controller's.
class DetailView : public QObject {
 public:
  struct Widgets {
    Picture& detail;          ///< Picture2, with the cursor marker Shape2
    QScrollBar& horizontal;   ///< HScroll1
    QScrollBar& vertical;     ///< VScroll1
  };

  DetailView(const Document& document, EditingSession& session, const GridPainter& painter, const Widgets& widgets);

 private:
  void Connect();
  GridFrame Frame() const;
  void FollowSize();
  void ShowView();
  void ShowCursor();
  void Wheel(double x, double y, QPoint delta, Qt::KeyboardModifiers modifiers);
  void Pressed(double x, double y, Qt::MouseButton button);
  void Moved(double x, double y, Qt::MouseButtons buttons);

  const Document& document_;
  EditingSession& session_;
  const GridPainter& painter_;
  Widgets widgets_;
  std::optional<QPointF> pan_from_;  ///< where a middle-button drag started, in twips
  QPoint pan_start_;                 ///< the view's start when it did
};

}  // namespace koravel
