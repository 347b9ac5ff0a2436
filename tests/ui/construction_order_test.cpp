// The views, the readout and the edit controller each follow the document
// and the editing session on their own: built in any order, they show the
// same after the same story.

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QtTest>
#include <functional>
#include <memory>

#include "core/mesh/mesh_reader.h"
#include "scripted_dialogs.h"
#include "ui/common/status_panels.h"
#include "ui/document/document.h"
#include "ui/document/editing_session.h"
#include "ui/edit/edit_controller.h"
#include "ui/views/detail_view.h"
#include "ui/views/grid_painter.h"
#include "ui/views/overview_map.h"
#include "ui/views/picture.h"
#include "ui/views/readout_presenter.h"

namespace koravel {

// The widgets of the window that the parts drive, without the window.
struct Parts {
  QWidget window;
  Picture* overview = new Picture(&window);
  Picture* detail = new Picture(&window);
  QScrollBar* horizontal = new QScrollBar(&window);
  QScrollBar* vertical = new QScrollBar(&window);
  QLineEdit* value = new QLineEdit(&window);
  QLineEdit* brush = new QLineEdit(&window);
  QLabel* brush_caption = new QLabel(&window);
  QLabel* pointer = new QLabel(&window);
  QGroupBox* directions = new QGroupBox(&window);
  std::array<QRadioButton*, 4> options{new QRadioButton(directions), new QRadioButton(directions),
                                       new QRadioButton(directions), new QRadioButton(directions)};
  QComboBox* brush_size = new QComboBox(&window);
  QAction point_mode{nullptr};
  QAction brush_mode{nullptr};
  QAction select_mode{nullptr};
  QStatusBar bar;
  StatusPanels status{bar};
  test::ScriptedDialogs dialogs;
  Document document;
  EditingSession session{document};
  GridPainter painter{document, session};
  std::unique_ptr<OverviewMap> overview_map;
  std::unique_ptr<DetailView> detail_view;
  std::unique_ptr<ReadoutPresenter> readout;
  std::unique_ptr<EditController> editor;

  explicit Parts(bool reversed) {
    overview->setGeometry(0, 0, 134, 107);
    detail->setGeometry(140, 0, 337, 273);
    const std::vector<std::function<void()>> builders = {
        [this] { overview_map = std::make_unique<OverviewMap>(document, session, painter, *overview); },
        [this] { detail_view = std::make_unique<DetailView>(document, session, painter,
                                                            DetailView::Widgets{*detail, *horizontal, *vertical}); },
        [this] { readout = std::make_unique<ReadoutPresenter>(document, session, status, *pointer); },
        [this] {
          editor = std::make_unique<EditController>(
              document, session, dialogs,
              EditController::Widgets{*value, *brush, *brush_caption, *directions, options, *brush_size, point_mode,
                                      brush_mode, select_mode, *detail});
        },
    };
    if (reversed) {
      for (auto builder = builders.rbegin(); builder != builders.rend(); ++builder) (*builder)();
    } else {
      for (const auto& builder : builders) builder();
    }
    window.resize(480, 280);
    window.show();
  }

  QStringList Shown() const {
    return {bar.findChild<QLabel*>("sbStatusBarPanel2")->text(), bar.findChild<QLabel*>("sbStatusBarPanel3")->text(),
            value->text(),  value->selectedText(), pointer->text(),
            QString::number(detail->OutlinePosition().x()), QString::number(detail->OutlinePosition().y()),
            detail->ColorAt(350, 440).name(), overview->ColorAt(25, 30).name()};
  }
};

class ConstructionOrderTest : public QObject {
  Q_OBJECT

 private:
  static QStringList Story(bool reversed) {
    Parts parts(reversed);
    parts.document.Replace(ReadMeshFile(KORAVEL_SAMPLE_MESH).document.value(), KORAVEL_SAMPLE_MESH);
    QTest::mouseClick(parts.detail, Qt::LeftButton, {}, QPoint(3 * 100 / 15 + 3, 5 * 80 / 15 + 2));
    parts.value->selectAll();
    QTest::keyClicks(parts.value, "12.5");
    QTest::keyClick(parts.value, Qt::Key_Return);
    QTest::keyClick(parts.value, Qt::Key_Left);
    QMouseEvent move(QEvent::MouseMove, QPointF(30, 40), parts.detail->mapToGlobal(QPointF(30, 40)), Qt::NoButton,
                     Qt::NoButton, {});
    QApplication::sendEvent(parts.detail, &move);
    return parts.Shown();
  }

 private slots:
  void theStoryShowsTheSameWhateverTheOrderOfConstruction() {
    const QStringList in_order = Story(false);
    QCOMPARE(in_order.mid(0, 3), QStringList({"レコード位置 : 004 , 006", "緯度 : 35°44' 51.0\" , 経度 : 139°37' 36.75\"", "12.5"}));
    QCOMPARE(Story(true), in_order);
  }

  // Views repainted after every cell of a command, once per cell.
  void aCommandTellsItsCellsOnce() {
    Parts parts(false);
    parts.document.Replace(ReadMeshFile(KORAVEL_SAMPLE_MESH).document.value(), KORAVEL_SAMPLE_MESH);
    QSignalSpy told(&parts.document, &Document::CellsChanged);
    parts.document.BeginStroke();
    parts.document.PaintStroke({QPoint(2, 3), QPoint(3, 3), QPoint(4, 4)}, 1000);
    parts.document.Undo();
    QCOMPARE(told.size(), 2);
    QCOMPARE(told.at(0).at(0).toRect(), QRect(QPoint(2, 3), QPoint(4, 4)));
    QCOMPARE(told.at(1).at(0).toRect(), QRect(QPoint(2, 3), QPoint(4, 4)));
  }
};

}  // namespace koravel

QTEST_MAIN(koravel::ConstructionOrderTest)
#include "construction_order_test.moc"
