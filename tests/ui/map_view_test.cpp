// User stories of the maps in a window of any size: resizing, zoom and
// panning, the cursor and the pointer, shaded relief and the meshes next door.

#include <QAction>
#include <QImage>
#include <QPainter>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QSvgRenderer>
#include <QtTest>
#include <memory>

#include "core/mesh/mesh_reader.h"
#include "core/mesh/mesh_writer.h"
#include "ui/app/design_names.h"
#include "ui/views/picture.h"
#include "window_fixture.h"

namespace koravel {

class MapViewTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::WindowFixture> fixture_;

  template <typename Widget = QWidget>
  Widget* Find(const QString& name) { return fixture_->Find<Widget>(name); }
  Picture* Overview() { return Find<Picture>(design_name::overviewMap); }
  Picture* Detail() { return Find<Picture>(design_name::detailMap); }
  QScrollBar* Bar(const char* name) { return Find<QScrollBar>(name); }
  QPoint Cursor() { return fixture_->Cursor(); }
  QPoint ViewStart() { return {Bar(design_name::horizontalScroll)->value(), Bar(design_name::verticalScroll)->value()}; }
  // Cells shown across and down, as the scroll bars page them.
  QSize Shown() { return {Bar(design_name::horizontalScroll)->pageStep(), Bar(design_name::verticalScroll)->pageStep()}; }
  void Trigger(const char* action, int times = 1) {
    for (int i = 0; i < times; ++i) Find<QAction>(action)->trigger();
  }
  void Wheel(QPoint at, QPoint delta, Qt::KeyboardModifiers modifiers) {
    QWheelEvent wheel(at, Detail()->mapToGlobal(at), {}, delta, Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Detail(), &wheel);
  }
  void Move(QWidget* map, QPoint to, Qt::MouseButtons buttons = Qt::NoButton) {
    QMouseEvent move(QEvent::MouseMove, to, map->mapToGlobal(to), Qt::NoButton, buttons, {});
    QApplication::sendEvent(map, &move);
  }
  // The grid cell a click at `at` on the detail view puts the cursor on.
  QPoint CellClickedAt(QPoint at) {
    QTest::mouseClick(Detail(), Qt::LeftButton, {}, at);
    return Cursor();
  }
  QColor OverviewColor(int x, int y) { return Overview()->ColorAt((x - 1) * 10 + 5, (y - 1) * 8 + 4); }
  QString WriteMesh(const QString& name, const char* code) {
    MeshDocument mesh = ReadMeshFile(KORAVEL_SAMPLE_MESH).document.value();
    mesh.MeshCode.SetText(code);
    const QString path = fixture_->folder.filePath(name);
    if (WriteMeshFile(mesh, path.toStdString())) qFatal("cannot write %s", qPrintable(path));
    return path;
  }
  QString MeshCode() { return QString::fromStdString(fixture_->window->Mesh().MeshCode.Text()); }
  QList<bool> NeighboursEnabled() {
    QList<bool> enabled;
    for (const char* name : design_name::neighbourActions) enabled << Find<QAction>(name)->isEnabled();
    return enabled;
  }

 private slots:
  void init() {
    fixture_ = std::make_unique<test::WindowFixture>();
    fixture_->Open(fixture_->CopyOfSample("533945.mem"));
  }

  void cleanup() { fixture_.reset(); }

  // The design's detail view is 337 × 273 pixels; 300 × 200 more make it
  // 9555 × 7095 twips, 95 cells of 100 and 87 of 80 after the free strip.
  void aLargerWindowShowsMoreCellsAndKeepsThePanelsInPlace() {
    QCOMPARE(Shown(), QSize(50, 50));
    const QRect auto_move = Find(design_name::autoMoveFrame)->geometry();
    fixture_->window->resize(fixture_->window->size() + QSize(300, 200));
    QTRY_COMPARE(Detail()->size(), QSize(637, 473));
    QCOMPARE(Shown(), QSize(95, 87));
    QCOMPARE(Bar(design_name::horizontalScroll)->maximum(), 106);
    QCOMPARE(Bar(design_name::verticalScroll)->maximum(), 114);
    QCOMPARE(Detail()->ColorAt(94 * 100 + 50, 86 * 80 + 40), fixture_->ScaleColor(95, 87));
    QCOMPARE(Overview()->OutlineSize(), QSize(950, 696));
    QCOMPARE(Find(design_name::autoMoveFrame)->geometry(), auto_move.translated(300, 200));

    fixture_->window->resize(100, 100);
    QTRY_COMPARE(Detail()->size(), QSize(337, 273));
    QCOMPARE(Shown(), QSize(50, 50));
  }

  // At 125 % a cell is 125 × 100 twips: 40 × 40 cells. The largest zoom is
  // 32 pixels (480 × 384 twips) a cell, the smallest fits all 200.
  void zoomKeepsTheCellUnderThePointerAndTheFrameFollows() {
    const QPoint pointer = test::WindowFixture::DetailCellCentre(10, 20);
    QCOMPARE(CellClickedAt(pointer), QPoint(11, 21));
    Wheel(pointer, {0, 120}, Qt::ControlModifier);
    QCOMPARE(Shown(), QSize(40, 40));
    QCOMPARE(ViewStart(), QPoint(3, 5));
    QCOMPARE(CellClickedAt(pointer), QPoint(11, 21));
    QCOMPARE(Overview()->OutlineSize(), QSize(400, 320));
    QCOMPARE(Overview()->OutlinePosition(), QPoint(20, 32));
    Wheel(pointer, {0, -120}, Qt::ControlModifier);
    QCOMPARE(Shown(), QSize(50, 50));
    QCOMPARE(CellClickedAt(pointer), QPoint(11, 21));

    Trigger(design_name::zoomInAction, 20);
    QCOMPARE(Shown(), QSize(10, 10));
    Trigger(design_name::zoomActualAction);
    QCOMPARE(Shown(), QSize(50, 50));
    Trigger(design_name::zoomOutAction, 20);
    QCOMPARE(Shown(), QSize(200, 200));
  }

  // The overview at (60, 40) pixels is cell 90, 75: a 50-cell view starts 25 before.
  void theWheelTheMiddleButtonAndTheOverviewFrameMoveTheView() {
    Wheel({100, 100}, {0, -120}, {});
    QCOMPARE(ViewStart(), QPoint(1, 4));
    Wheel({100, 100}, {0, -240}, Qt::ShiftModifier);
    QCOMPARE(ViewStart(), QPoint(7, 4));

    QTest::mousePress(Detail(), Qt::MiddleButton, {}, test::WindowFixture::DetailCellCentre(20, 20));
    Move(Detail(), test::WindowFixture::DetailCellCentre(10, 15), Qt::MiddleButton);
    QTest::mouseRelease(Detail(), Qt::MiddleButton, {}, test::WindowFixture::DetailCellCentre(10, 15));
    QCOMPARE(ViewStart(), QPoint(17, 9));
    QCOMPARE(Cursor(), QPoint(1, 1));

    QTest::mousePress(Overview(), Qt::LeftButton, {}, {10, 10});
    Move(Overview(), {60, 40}, Qt::LeftButton);
    QCOMPARE(ViewStart(), QPoint(65, 50));
    QCOMPARE(Overview()->OutlinePosition(), QPoint(640, 392));
  }

  // Cell 1, 1 is light land and cell 151, 151 dark sea: the outline, two
  // pixels wide left of and on the cell's first column, stands out on both.
  void theCursorStandsOutAndStaysInView() {
    for (const QPoint overview_point : {QPoint(1, 1), QPoint(100, 100)}) {
      QTest::mouseClick(Overview(), Qt::LeftButton, {}, overview_point);
      QTest::mouseClick(Detail(), Qt::LeftButton, {}, test::WindowFixture::DetailCellCentre(25, 25));
      const QPoint box(Detail()->ToDevice(Detail()->OutlinePosition().x()),
                       Detail()->ToDevice(Detail()->OutlinePosition().y()));
      const QImage shown = Detail()->grab().toImage();
      const int cell_gray = qGray(fixture_->ScaleColor(Cursor().x(), Cursor().y()).rgb());
      for (const int x : {box.x() - 1, box.x()}) {
        QVERIFY2(std::abs(qGray(shown.pixel(x, box.y() + 2)) - cell_gray) >= 100, qPrintable(QString::number(x)));
      }
    }

    QTest::mouseClick(Overview(), Qt::LeftButton, {}, {1, 1});
    QTest::mouseClick(Detail(), Qt::LeftButton, {}, test::WindowFixture::DetailCellCentre(49, 49));
    fixture_->Enter("100");
    QCOMPARE(Cursor(), QPoint(51, 50));
    QCOMPARE(ViewStart(), QPoint(2, 1));
    QTest::keyClick(Find(design_name::elevationEdit), Qt::Key_Down);
    QCOMPARE(ViewStart(), QPoint(2, 2));
    QCOMPARE(Detail()->OutlinePosition(), QPoint(4900, 3920));
    for (int i = 0; i < 50; ++i) QTest::keyClick(Find(design_name::elevationEdit), Qt::Key_Left);
    QCOMPARE(Cursor(), QPoint(1, 51));
    QCOMPARE(ViewStart(), QPoint(1, 2));
  }

  void thePointerReadoutNamesTheCellUnderThePointer() {
    const auto readout = [this] { return fixture_->Find<QLabel>(design_name::pointerReadout)->text(); };
    Move(Detail(), test::WindowFixture::DetailCellCentre(3, 4));
    // 0.45 of a cell into column 4, half-way down row 5: between the centres
    // of cells 3 and 4 of row 5 (115.7 m and 125.8 m), 0.95 of the way.
    QCOMPARE(readout(), QString("ポインタ レコード位置 : 004 , 005\n標高 : 125.8 (補間 125.3)\n"
                                "緯度 : 35°44' 53.2\" , 経度 : 139°37' 37.76\""));
    Move(Overview(), {1500 / 15, 1200 / 15});
    QVERIFY(readout().startsWith("ポインタ レコード位置 : 151 , 151\n標高 : -999.9\n緯度"));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(Overview(), &leave);
    QCOMPARE(readout(), QString());
    QCOMPARE(fixture_->Panel(2), QString("レコード位置 : 001 , 001"));
  }

  // Cell 41, 31 rises to the south-east, so it faces the light from the
  // north-west; cell 67, 41 rises to the north-west and faces away.
  void shadedReliefLightsSlopesFromTheNorthWestAndIsRemembered() {
    QVERIFY(!Find<QAction>(design_name::shadeAction)->isChecked());
    QCOMPARE(OverviewColor(41, 31), fixture_->ScaleColor(41, 31));
    Trigger(design_name::shadeAction);
    QVERIFY(qGray(OverviewColor(41, 31).rgb()) > qGray(fixture_->ScaleColor(41, 31).rgb()) + 10);
    QVERIFY(qGray(OverviewColor(67, 41).rgb()) < qGray(fixture_->ScaleColor(67, 41).rgb()) - 10);
    QCOMPARE(OverviewColor(151, 151), fixture_->ScaleColor(151, 151));
    // Sinking the cell east of 41, 31 turns its slope away from the light.
    const QColor lit = OverviewColor(41, 31);
    QTest::mouseClick(Detail(), Qt::LeftButton, {}, test::WindowFixture::DetailCellCentre(41, 30));
    fixture_->Enter("0");
    QVERIFY(qGray(OverviewColor(41, 31).rgb()) < qGray(lit.rgb()) - 10);

    fixture_->StartWindow();
    fixture_->Open(fixture_->CopyOfSample("533945.mem"));
    QVERIFY(Find<QAction>(design_name::shadeAction)->isChecked());
    QVERIFY(OverviewColor(41, 31) != fixture_->ScaleColor(41, 31));
  }

  // Pixels along the row through cell (x, y) of the detail view, from its
  // centre to the next cell's, that are not the colour of their cell.
  int ContourPixels(int x, int y) {
    int off = 0;
    for (int twips = 50; twips <= 150; twips += 15) {
      const QPoint at((x - 1) * 100 + twips, (y - 1) * 80 + 40);
      off += Detail()->ColorAt(at.x(), at.y()) != fixture_->ScaleColor(x + (twips >= 100 ? 1 : 0), y);
    }
    return off;
  }

  // The lines follow every edit and undo.
  void contourLinesAreDrawnAnewAfterAnEditAndItsUndo() {
    Trigger(design_name::contourAction);
    QTest::mouseClick(Detail(), Qt::LeftButton, {}, test::WindowFixture::DetailCellCentre(4, 4));
    const QPoint cell = Cursor();
    const int before = ContourPixels(cell.x(), cell.y());
    fixture_->Enter("2500");
    QVERIFY2(ContourPixels(cell.x(), cell.y()) > before, "lines round the new peak");
    Trigger(design_name::undoAction);
    QCOMPARE(ContourPixels(cell.x(), cell.y()), before);
  }

  // The whole mesh at 2 pixels a cell: the map starts below the title, 16
  // pixels in; cell (100, 100) covers pixels 198-199 across and 158-159 down.
  void aPictureOfTheWholeMeshIsWrittenAsPngOrSvg() {
    fixture_->dialogs.on_modal = [](QDialog& options) {
      options.findChild<QRadioButton*>("optWholeMesh")->setChecked(true);
      options.findChild<QSpinBox*>("spnCellPixels")->setValue(2);
      options.accept();
    };
    fixture_->dialogs.save_answers = {fixture_->folder.filePath("mesh.png"), fixture_->folder.filePath("mesh.svg")};
    fixture_->window->resize(1400, 1000);  // the detail view paints boxes wider than the picture's first
    Find<Picture>(design_name::detailMap)->ColorAt(0, 0);
    Trigger(design_name::pictureAction, 2);
    const QImage png(fixture_->folder.filePath("mesh.png"));
    QCOMPARE(png.size(), QSize(16 * 3 + 400 + 110, 16 * 2 + 28 + 320 + 40));
    QCOMPARE(png.pixelColor(16 + 198, 16 + 28 + 158), fixture_->ScaleColor(100, 100));
    QImage drawn(png.size(), QImage::Format_RGB32);
    QPainter painter(&drawn);
    QSvgRenderer(fixture_->folder.filePath("mesh.svg")).render(&painter);
    painter.end();
    for (int x = 18; x < 16 + 398; x += 13) {  // the map inside its frame, as the PNG has it
      for (int y = 16 + 30; y < 16 + 28 + 318; y += 11) QCOMPARE(drawn.pixel(x, y), png.pixel(x, y));
    }
    QVERIFY(fixture_->dialogs.messages.isEmpty());
  }

  // The eastern neighbour is a copy of the sample: its first column shows,
  // faded half-way to white, beyond the mesh's last.
  void theNeighboursCellsShowFadedBeyondTheEdge() {
    WriteMesh("533946.mem", "533946");
    fixture_->Open(WriteMesh("533945.mem", "533945"));
    Trigger(design_name::neighboursAction);
    Bar(design_name::horizontalScroll)->setValue(Bar(design_name::horizontalScroll)->maximum());
    const int column = 201 - ViewStart().x();
    QVERIFY(column > 0 && column < Shown().width());
    const QColor cell = fixture_->ScaleColor(1, 1);
    QCOMPARE(Detail()->ColorAt(column * 100 + 50, 40),
             QColor((cell.red() + 255) / 2, (cell.green() + 255) / 2, (cell.blue() + 255) / 2));
    QTest::mouseClick(Detail(), Qt::LeftButton, {}, test::WindowFixture::DetailCellCentre(column, 0));
    QCOMPARE(Cursor(), QPoint(200, 1));  // the neighbour's cells cannot be edited here
  }

  // Directions run north first, clockwise.
  void theMeshesNextDoorOpenAtTheMatchingEdge() {
    WriteMesh("533946.MEM", "533946");
    WriteMesh("534070.Mem", "534070");
    fixture_->Open(fixture_->folder.filePath("533945.mem"));
    QCOMPARE(NeighboursEnabled(), QList<bool>({false, false, true, false, false, false, false, false}));
    QTest::mouseClick(Detail(), Qt::LeftButton, {}, test::WindowFixture::DetailCellCentre(29, 11));
    fixture_->Enter("100");
    fixture_->dialogs.save_changes_answers.push_back(SaveChoice::Discard);
    QTest::keyClick(Find(design_name::elevationEdit), Qt::Key_Right, Qt::AltModifier);
    QCOMPARE(fixture_->dialogs.save_changes_questions, 1);
    QCOMPARE(MeshCode(), QString("533946"));
    QCOMPARE(Cursor(), QPoint(1, 12));
    QCOMPARE(ViewStart(), QPoint(1, 1));
    QCOMPARE(NeighboursEnabled(), QList<bool>({false, false, false, false, false, false, true, false}));
    Trigger(design_name::neighbourActions[6]);
    QCOMPARE(MeshCode(), QString("533945"));
    QCOMPARE(Cursor(), QPoint(200, 12));
    QCOMPARE(ViewStart(), QPoint(151, 1));

    WriteMesh("534071.mem", "534072");
    fixture_->Open(WriteMesh("533977.mem", "533977"));
    QCOMPARE(NeighboursEnabled(), QList<bool>({false, false, true, false, false, false, false, false}));
    Trigger(design_name::neighbourActions[2]);
    QCOMPARE(MeshCode(), QString("534070"));
    QVERIFY(fixture_->dialogs.messages.isEmpty());

    // A file named for the neighbour once opened as if it were it.
    Trigger(design_name::neighbourActions[2]);
    QCOMPARE(fixture_->dialogs.messages,
             QStringList{"ファイル名はメッシュ 534071 ですが、ファイルの中のメッシュコードは 534072 です。"});
  }
};

}  // namespace koravel

QTEST_MAIN(koravel::MapViewTest)
#include "map_view_test.moc"
