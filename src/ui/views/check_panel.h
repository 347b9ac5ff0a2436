#pragma once

#include <QObject>
#include <vector>

#include "core/analysis/checker.h"
#include "core/analysis/neighbour_edges.h"

class QAction;
class QDockWidget;
class QListWidget;
class QMainWindow;

namespace koravel {

class Document;
class EditingSession;

/// ツール > 点検: a panel beside the maps listing what the checker finds on
/// the open mesh, anew after every edit. A click on a finding, or F3 and
/// Shift+F3 for the next and the previous one, puts the cursor there.
class CheckPanel : public QObject {
 public:
  struct Widgets {
    QMainWindow& window;
    QAction& toggle;
    QAction& next;
    QAction& previous;
  };

  CheckPanel(const Document& document, EditingSession& session, const Widgets& widgets);

 private:
  void ReadNeighbours();
  void Check();
  void FitToFindings();
  void GoTo(int index);
  void Step(int by);

  const Document& document_;
  EditingSession& session_;
  Widgets widgets_;
  QDockWidget* dock_;
  QListWidget* list_;
  NeighbourEdges neighbours_;
  std::vector<Finding> findings_;
};

}  // namespace koravel
