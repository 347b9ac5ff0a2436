#include "ui/views/check_panel.h"

#include <QAction>
#include <QDockWidget>
#include <QListWidget>
#include <QMainWindow>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "ui/app/design_names.h"
#include "ui/common/qt_bridge.h"
#include "ui/document/document.h"
#include "ui/document/editing_session.h"

namespace koravel {
namespace {

QString Metres(double tenths) { return QString::number(tenths / 10, 'f', 1); }

QString Place(const Finding& finding) {
  return QStringLiteral("列 %1 行 %2").arg(finding.cell.x, 3, 10, QChar('0')).arg(finding.cell.y, 3, 10, QChar('0'));
}

QString SideName(CompassDirection side) {
  switch (side) {
    case CompassDirection::North: return QStringLiteral("北");
    case CompassDirection::East: return QStringLiteral("東");
    case CompassDirection::South: return QStringLiteral("南");
    default: return QStringLiteral("西");
  }
}

// One line of the list, in the order the checker reports the kinds.
QString FindingText(const Finding& f) {
  switch (f.kind) {
    case FindingKind::Spike:
    case FindingKind::Pit:
      return QStringLiteral("%1  %2  %3 m（周りの中央値 %4 m より %5 m %6）")
          .arg(f.kind == FindingKind::Spike ? QStringLiteral("突出") : QStringLiteral("窪み"), Place(f),
               Metres(f.value), Metres(f.median), Metres(std::abs(f.value - f.median)),
               f.kind == FindingKind::Spike ? QStringLiteral("高い") : QStringLiteral("低い"));
    case FindingKind::Hole:
      return QStringLiteral("穴  %1  %2 セル（列 %3～%4、行 %5～%6）")
          .arg(Place(f)).arg(f.count).arg(f.extent.left).arg(f.extent.right).arg(f.extent.top).arg(f.extent.bottom);
    case FindingKind::Seam:
      return QStringLiteral("継ぎ目  %1  %2の端の %3 セル、差は最大 %4 m")
          .arg(Place(f), SideName(f.side)).arg(f.count).arg(Metres(f.value));
    case FindingKind::Omitted:
      return QStringLiteral("省略レコード  行 %1～%2（%3 行）").arg(f.extent.top).arg(f.extent.bottom).arg(f.count);
    case FindingKind::Reference:
      return QStringLiteral("参照との差  %1  列 %2 までの %3 セル、差は最大 %4 m")
          .arg(Place(f)).arg(f.extent.right).arg(f.count).arg(Metres(f.value));
  }
  return {};
}

}  // namespace

CheckPanel::CheckPanel(const Document& document, EditingSession& session, const Widgets& widgets)
    : document_(document), session_(session), widgets_(widgets) {
  dock_ = new QDockWidget(QStringLiteral("点検"), &widgets_.window);
  dock_->setObjectName(design_name::checkPanel);
  list_ = new QListWidget(dock_);
  list_->setObjectName(design_name::findingList);
  dock_->setWidget(list_);
  widgets_.window.addDockWidget(Qt::RightDockWidgetArea, dock_);
  dock_->hide();
  connect(&widgets_.toggle, &QAction::toggled, this, [this](bool shown) {
    dock_->setVisible(shown);
    Check();
    if (shown) FitToFindings();
  });
  // The panel's own close button unticks the menu item.
  connect(dock_, &QDockWidget::visibilityChanged, this, [this] { widgets_.toggle.setChecked(!dock_->isHidden()); });
  connect(list_, &QListWidget::itemClicked, this, [this] { GoTo(list_->currentRow()); });
  connect(&widgets_.next, &QAction::triggered, this, [this] { Step(1); });
  connect(&widgets_.previous, &QAction::triggered, this, [this] { Step(-1); });
  connect(&document, &Document::Replaced, this, &CheckPanel::ReadNeighbours);
  connect(&document, &Document::FileNameChanged, this, &CheckPanel::ReadNeighbours);
  connect(&document, &Document::CellsChanged, this, &CheckPanel::Check);
  connect(&session, &EditingSession::ReferenceChanged, this, &CheckPanel::Check);
}

// The seams need the neighbours' edges, read once for each file.
void CheckPanel::ReadNeighbours() {
  neighbours_ = document_.FileName().isEmpty()
                    ? NeighbourEdges()
                    : ReadNeighbourEdges(LocalPath(document_.FileName()), document_.Mesh().MeshCode.Text());
  Check();
}

// Checking a whole mesh takes about a millisecond, so it runs after every
// edit while the panel is open.
void CheckPanel::Check() {
  if (dock_->isHidden() || !document_.IsOpen()) return;
  const int current = list_->currentRow();
  CheckOptions options;
  if (session_.Reference()) options.reference = &session_.Reference()->Heights();
  findings_ = CheckMesh(document_.Mesh(), neighbours_, options);
  list_->clear();
  for (const Finding& finding : findings_) list_->addItem(FindingText(finding));
  if (findings_.empty()) list_->addItem(QStringLiteral("見つかったものはありません。"));
  list_->setCurrentRow(std::min(current, static_cast<int>(findings_.size()) - 1));
}

// Widens the panel to its longest finding, up to a third of the window, so
// that a finding's detail is not cut at its first showing.
void CheckPanel::FitToFindings() {
  const int wanted =
      list_->sizeHintForColumn(0) + 2 * list_->frameWidth() + list_->verticalScrollBar()->sizeHint().width();
  const int width = std::min(wanted, widgets_.window.width() / 3);
  if (dock_->width() < width) widgets_.window.resizeDocks({dock_}, {width}, Qt::Horizontal);
}

void CheckPanel::GoTo(int index) {
  if (index < 0 || index >= static_cast<int>(findings_.size())) return;
  list_->setCurrentRow(index);
  session_.JumpToCell({findings_[index].cell.x, findings_[index].cell.y});
}

// F3 opens the panel where it is closed, and stops at either end.
void CheckPanel::Step(int by) {
  if (!document_.IsOpen()) return;
  widgets_.toggle.setChecked(true);
  Check();
  const int count = static_cast<int>(findings_.size());
  if (count == 0) return;
  const int current = list_->currentRow();
  GoTo(current < 0 ? (by > 0 ? 0 : count - 1) : std::clamp(current + by, 0, count - 1));
}

}  // namespace koravel
