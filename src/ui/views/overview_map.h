#pragma once

#include <QObject>

#include "ui/views/grid_painter.h"

namespace koravel {

class Document;
class EditingSession;
class Picture;

/// The overview: the whole grid in 2 × 2-cell boxes with a white frame
/// round the part the detail view shows. A press or a drag centres the view
/// there; the pointer names its cell.
class OverviewMap : public QObject {
 public:
  OverviewMap(const Document& document, EditingSession& session, const GridPainter& painter, Picture& overview);

 private:
  GridFrame Frame() const;
  void ShowViewFrame();
  void Pointer_Moved(double x, double y, Qt::MouseButtons buttons);

  const Document& document_;
  EditingSession& session_;
  const GridPainter& painter_;
  Picture& overview_;
};

}  // namespace koravel
