// User stories of working on areas: choosing cells, operations on them,
// the brush's sizes, pasting values, and the checker's findings.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QtTest>

#include "core/mesh/mesh_writer.h"
#include "core/mesh/new_mesh.h"
#include "ui/app/design_names.h"
#include "ui/views/picture.h"
#include "window_fixture.h"

namespace koravel {

class RegionTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::WindowFixture> fixture_;

  template <typename Widget = QWidget>
  Widget* Find(const QString& name) { return fixture_->Find<Widget>(name); }
  const MeshDocument& Mesh() { return fixture_->window->Mesh(); }
  void Trigger(const char* name) { Find<QAction>(name)->trigger(); }

  // A left drag in the detail view from one view cell to another.
  void DragOver(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {}) {
    QWidget* detail = Find(design_name::detailMap);
    QTest::mousePress(detail, Qt::LeftButton, modifiers, test::WindowFixture::DetailCellCentre(from.x(), from.y()));
    fixture_->Drag(Qt::LeftButton, test::WindowFixture::DetailCellCentre(to.x(), to.y()));
    QTest::mouseRelease(detail, Qt::LeftButton, modifiers, test::WindowFixture::DetailCellCentre(to.x(), to.y()));
  }

 private slots:
  void init() {
    fixture_ = std::make_unique<test::WindowFixture>();
    fixture_->Open(fixture_->CopyOfSample("sample.mem"));
  }

  void cleanup() { fixture_.reset(); }

  // Six cells chosen by a drag take one height in one undo step.
  void aRectangleTakesAHeightAsOneStepThatUndoTakesBack() {
    Trigger(design_name::selectModeAction);
    DragOver({1, 1}, {3, 2});
    DragOver({3, 2}, {3, 2}, Qt::ControlModifier);  // one cell taken away again
    QCOMPARE(fixture_->Panel(6), QString("選択 : 5 セル"));
    const std::int32_t before = Mesh().Elevation(4, 3);
    fixture_->dialogs.text_answers = {QString("１２．５")};
    Trigger(design_name::selectionActions[0]);
    for (auto [x, y] : {std::pair{2, 2}, {3, 2}, {4, 2}, {2, 3}, {3, 3}}) QCOMPARE(Mesh().Elevation(x, y), 125);
    QCOMPARE(Mesh().Elevation(4, 3), before);
    QCOMPARE(Find<Picture>(design_name::detailMap)->ColorAt(250, 120), fixture_->ScaleColor(3, 2));
    Trigger(design_name::undoAction);
    QVERIFY(Mesh().Elevation(2, 2) != 125 && Mesh().Elevation(3, 3) != 125);
    QVERIFY(!Find<QAction>(design_name::undoAction)->isEnabled());
  }

  void aBrushOfThreePaintsASquareRoundEachCellOfTheStroke() {
    Trigger(design_name::brushModeAction);
    auto* size = Find<QComboBox>(design_name::brushSizeBox);
    QVERIFY(size->isVisible());
    size->setCurrentIndex(1);
    emit size->activated(1);
    fixture_->Stroke("50", {{10, 10}, {11, 10}});
    for (int y = 10; y <= 12; ++y) {
      for (int x = 10; x <= 13; ++x) QCOMPARE(Mesh().Elevation(x, y), 500);
    }
    QVERIFY(Mesh().Elevation(14, 11) != 500);
    Trigger(design_name::undoAction);
    QVERIFY(Mesh().Elevation(10, 10) != 500 && Mesh().Elevation(13, 12) != 500);
  }

  // Rows on lines, tabs between values, an empty field for no data.
  void valuesPastedAsTextLandWithTheirTopLeftAtTheCursor() {
    QApplication::clipboard()->setText("1.5\t\t2\r\n3\t4\t5\r\n");
    QTest::mouseClick(Find(design_name::detailMap), Qt::LeftButton, {}, test::WindowFixture::DetailCellCentre(4, 6));
    Trigger(design_name::selectionActions[8]);
    QCOMPARE(Mesh().Elevation(5, 7), 15);
    QCOMPARE(Mesh().Elevation(6, 7), kNoData);
    QCOMPARE(Mesh().Elevation(7, 8), 50);
    QApplication::clipboard()->setText("1.5\tabc");
    Trigger(design_name::selectionActions[8]);
    QCOMPARE(fixture_->dialogs.messages.size(), 1);
    QCOMPARE(Mesh().Elevation(5, 7), 15);
    QApplication::clipboard()->clear();  // once nothing happened, without a word
    Trigger(design_name::selectionActions[8]);
    QCOMPARE(fixture_->dialogs.messages.last(), QString("クリップボードに貼り付ける値がありません。"));
  }

  // The real 5 m tile lies in mesh 523874, far from the sample's.
  void theReferenceModelsHeightsReplaceTheChosenCellsAsOneStep() {
    fixture_->dialogs.files_answers = {QStringList{KORAVEL_REAL_DEM}};
    Trigger(design_name::referenceAction);
    QCOMPARE(fixture_->dialogs.messages, QStringList{"数値標高モデルがこのメッシュの範囲にありません。"});
    QCOMPARE(fixture_->dialogs.message_files, QStringList{KORAVEL_REAL_DEM});
    const QString mesh = fixture_->folder.filePath("523874.mem");
    QVERIFY(!WriteMeshFile(*NewMesh("523874", 2026), mesh.toStdString()));
    fixture_->Open(mesh);
    fixture_->dialogs.files_answers = {QStringList{KORAVEL_REAL_DEM}};
    Trigger(design_name::referenceAction);
    QVERIFY(Find<QAction>(design_name::differenceAction)->isEnabled());
    Trigger(design_name::differenceAction);  // the legend once still said 標高凡例 over the differences
    QCOMPARE(Find<QLabel>(design_name::legendTitle)->text(), QString("差の凡例　　　　　(m)"));
    const std::optional<ReferenceDem>& reference = fixture_->window->Reference();
    QVERIFY(reference.has_value());
    GridCell inside{};  // a cell of the tile with a height
    for (int y = 1; y <= kMeshSize && inside.x == 0; ++y) {
      for (int x = 1; x <= kMeshSize; ++x) {
        if (reference->Elevation(x, y) != kNoData) inside = {x, y};
      }
    }
    QVERIFY(inside.x != 0);
    Trigger(design_name::selectAllAction);
    Trigger(design_name::selectionActions[6]);
    QCOMPARE(Mesh().Elevation(inside.x, inside.y), reference->Elevation(inside.x, inside.y));
    Trigger(design_name::undoAction);
    QCOMPARE(Mesh().Elevation(inside.x, inside.y), kNoData);
    QVERIFY(!Find<QAction>(design_name::undoAction)->isEnabled());
  }

  // Most Linux desktops take Alt-drags to move the window, so the lasso is
  // a menu choice too: a triangle over 11 x 11 cells takes about half of them.
  void aLassoTickedInTheMenuTakesTheCellsItEncloses() {
    Trigger(design_name::selectModeAction);
    Trigger(design_name::lassoAction);
    QWidget* detail = Find(design_name::detailMap);
    QTest::mousePress(detail, Qt::LeftButton, {}, test::WindowFixture::DetailCellCentre(0, 0));
    fixture_->Drag(Qt::LeftButton, test::WindowFixture::DetailCellCentre(10, 0));
    fixture_->Drag(Qt::LeftButton, test::WindowFixture::DetailCellCentre(0, 10));
    QTest::mouseRelease(detail, Qt::LeftButton, {}, test::WindowFixture::DetailCellCentre(0, 10));
    const int chosen = fixture_->Panel(6).section(' ', 2, 2).toInt();
    QVERIFY2(chosen > 50 && chosen < 80, qPrintable(fixture_->Panel(6)));
  }

  // A jump out of sight once left its cell on the view's far edge; a jump
  // within sight leaves the view where it is.
  void goToCentresACellOutOfSightAndKeepsTheViewForOneInSight() {
    const auto go_to = [this](QPoint cell) {
      fixture_->dialogs.on_modal = [cell](QDialog& dialog) {
        dialog.findChild<QSpinBox*>("spnColumn")->setValue(cell.x());
        dialog.findChild<QSpinBox*>("spnRow")->setValue(cell.y());
        dialog.accept();
      };
      Trigger(design_name::goToAction);
      QCOMPARE(fixture_->Cursor(), cell);
    };
    go_to({120, 150});
    const QPoint start(fixture_->window->View().MapXstart, fixture_->window->View().MapYstart);
    const QPoint middle = test::WindowFixture::DetailCellCentre(120 - start.x(), 150 - start.y());
    const QSize view = Find(design_name::detailMap)->size();
    QVERIFY2(qAbs(middle.x() - view.width() / 2) < view.width() / 8, qPrintable(QString::number(middle.x())));
    QVERIFY2(qAbs(middle.y() - view.height() / 2) < view.height() / 8, qPrintable(QString::number(middle.y())));
    go_to({121, 151});
    QCOMPARE(QPoint(fixture_->window->View().MapXstart, fixture_->window->View().MapYstart), start);
  }

  // A typed latitude was passed over while レコード位置 stayed chosen, and
  // 35.7 fell a cell short of 35 42 0 on the edge both name.
  void goToAPositionTypedWithoutChoosingItsKind() {
    const struct {
      const char *latitude, *longitude;
      QPoint cell;  // cells of 2.25" by 1.5" from 35°45' N, 139°37'30" E
    } rows[] = {{"35.7004", "139.7002", {121, 120}},  // 178.56" south, 270.72" east
                {"35.7", "139.7", {121, 121}},        // 180" and 270": on the edges of cells 121
                {"35 42 0", "139 42 0", {121, 121}}};
    for (const auto& row : rows) {
      fixture_->dialogs.on_modal = [&row](QDialog& dialog) {
        QTest::keyClicks(dialog.findChild<QLineEdit*>("txtLatitude"), row.latitude);
        QTest::keyClicks(dialog.findChild<QLineEdit*>("txtLongitude"), row.longitude);
        dialog.accept();
      };
      Trigger(design_name::goToAction);
      QCOMPARE(fixture_->Cursor(), row.cell);
    }
  }

  void theCheckerListsWhatIsWrongAndF3GoesToEachInTurn() {
    QTest::mouseClick(Find(design_name::detailMap), Qt::LeftButton, {}, test::WindowFixture::DetailCellCentre(1, 1));
    fixture_->Enter("9999");  // cell 2, 2: a spike
    QTest::mouseClick(Find(design_name::detailMap), Qt::LeftButton, {}, test::WindowFixture::DetailCellCentre(20, 20));
    fixture_->Enter("-500");  // cell 21, 21: a pit
    QTest::keyClick(fixture_->window.get(), Qt::Key_F3);
    auto* list = Find<QListWidget>(design_name::findingList);
    QVERIFY(Find<QDockWidget>(design_name::checkPanel)->isVisible());
    QCOMPARE(list->count(), 2);
    QVERIFY(list->item(0)->text().startsWith("突出  列 002 行 002"));
    QCOMPARE(fixture_->Cursor(), QPoint(2, 2));
    QTest::keyClick(fixture_->window.get(), Qt::Key_F3);
    QCOMPARE(fixture_->Cursor(), QPoint(21, 21));
    QTest::keyClick(fixture_->window.get(), Qt::Key_F3, Qt::ShiftModifier);
    QCOMPARE(fixture_->Cursor(), QPoint(2, 2));
    Trigger(design_name::undoAction);  // the pit is gone, and from the list
    QCOMPARE(list->count(), 1);
  }
};

}  // namespace koravel

QTEST_MAIN(koravel::RegionTest)
#include "region_test.moc"
