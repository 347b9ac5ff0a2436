#pragma once

#include <QObject>

#include "core/edit/edit_mode.h"

class QAction;

namespace koravel {

class Document;
class EditingSession;
class Picture;

/// Lines drawn on the detail view with clicks: ツール > 断面線を引く adds a
/// point with each click and ends with a double click, then shows the
/// profile panel; ツール > 距離を測る adds points until Esc ends it.
class SketchController : public QObject {
 public:
  struct Widgets {
    Picture& detail;
    QAction& profile_line;
    QAction& measure;
    QAction& profile_panel;  ///< checked when the panel shows
  };

  SketchController(const Document& document, EditingSession& session, const Widgets& widgets);

  /// Ends the line being drawn, if one is; false when none was.
  bool End();

 private:
  void Begin(EditMode mode);
  void Pressed(double x, double y, Qt::MouseButton button);

  const Document& document_;
  EditingSession& session_;
  Widgets widgets_;
  EditMode before_ = EditMode::PointEdit;  ///< the mode to go back to when the line ends
};

}  // namespace koravel
