#include "ui/edit/sketch_controller.h"

#include <QAction>

#include "ui/document/document.h"
#include "ui/document/editing_session.h"
#include "ui/views/picture.h"

namespace koravel {

SketchController::SketchController(const Document& document, EditingSession& session, const Widgets& widgets)
    : document_(document), session_(session), widgets_(widgets) {
  connect(&widgets_.profile_line, &QAction::triggered, this, [this] { Begin(EditMode::ProfileLine); });
  connect(&widgets_.measure, &QAction::triggered, this, [this] { Begin(EditMode::Measure); });
  connect(&widgets_.detail, &Picture::Pressed, this, &SketchController::Pressed);
  connect(&widgets_.detail, &Picture::DoubleClicked, this, [this] {
    if (session_.Mode() == EditMode::ProfileLine) End();
  });
}

// A new line starts empty; the mode it leaves is the one it goes back to.
void SketchController::Begin(EditMode mode) {
  if (!document_.IsOpen()) return;
  const EditMode current = session_.Mode();
  if (current != EditMode::ProfileLine && current != EditMode::Measure) before_ = current;
  if (mode == EditMode::ProfileLine) session_.SetProfileLine({});
  session_.SetMeasuredPath({});
  session_.SetMode(mode);
}

void SketchController::Pressed(double x, double y, Qt::MouseButton button) {
  const EditMode mode = session_.Mode();
  if (button != Qt::LeftButton || (mode != EditMode::ProfileLine && mode != EditMode::Measure)) return;
  std::vector<GridPoint> line = mode == EditMode::ProfileLine ? session_.ProfileLine() : session_.MeasuredPath();
  line.push_back(session_.PointOnGrid({x, y}));
  if (mode == EditMode::ProfileLine) {
    session_.SetProfileLine(std::move(line));
  } else {
    session_.SetMeasuredPath(std::move(line));
  }
}

// A finished profile line shows in the profile panel; a measured path goes.
bool SketchController::End() {
  const EditMode mode = session_.Mode();
  if (mode != EditMode::ProfileLine && mode != EditMode::Measure) return false;
  if (mode == EditMode::Measure) session_.SetMeasuredPath({});
  session_.SetMode(before_);
  if (mode == EditMode::ProfileLine && session_.ProfileLine().size() > 1) widgets_.profile_panel.setChecked(true);
  return true;
}

}  // namespace koravel
