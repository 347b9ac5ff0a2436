// User stories of editing: value entry, pointer and brush, modes, comment,
// saving, and the question before unsaved edits would be lost.

#include <QAction>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

#include "core/mesh/mesh_reader.h"
#include "core/text/value_text.h"
#include "mesh_file_fields.h"
#include "ui/app/design_names.h"
#include "ui/views/picture.h"
#include "window_fixture.h"

namespace koravel {

class EditingTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::WindowFixture> fixture_;
  QString opened_;

  template <typename Widget = QWidget>
  Widget* Find(const QString& name) { return fixture_->Find<Widget>(name); }
  const MeshDocument& Document() { return fixture_->window->Mesh(); }
  QPoint Cursor() { return fixture_->Cursor(); }
  void Type(const char* name, const QString& text) { fixture_->Type(name, text); }
  void Enter(const QString& text) { fixture_->Enter(text); }
  void Drag(Qt::MouseButtons buttons, QPoint to) { fixture_->Drag(buttons, to); }

 private slots:
  void init() {
    fixture_ = std::make_unique<test::WindowFixture>();
    opened_ = fixture_->CopyOfSample("sample.mem");
    fixture_->Open(opened_);
  }

  void cleanup() { fixture_.reset(); }

  void enterStoresTheValueAndStepsInTheChosenDirection_data() {
    QTest::addColumn<int>("option");
    QTest::addColumn<QPoint>("next");
    QTest::newRow("right") << 0 << QPoint(3, 2);
    QTest::newRow("down") << 1 << QPoint(2, 3);
    QTest::newRow("up") << 3 << QPoint(2, 1);
    QTest::newRow("left") << 2 << QPoint(1, 2);
  }

  void enterStoresTheValueAndStepsInTheChosenDirection() {
    QFETCH(int, option);
    QFETCH(QPoint, next);
    QTest::mouseClick(Find(design_name::Item(design_name::autoMoveOptions, option)), Qt::LeftButton);
    QTest::keyClick(Find(design_name::elevationEdit), Qt::Key_Down);
    QTest::keyClick(Find(design_name::elevationEdit), Qt::Key_Right);
    QCOMPARE(Cursor(), QPoint(2, 2));
    Enter("1234.56");
    QCOMPARE(Document().Elevation(2, 2), 12346);
    QCOMPARE(Cursor(), next);
    QVERIFY(fixture_->SaveEnabled());
    QCOMPARE(Find<Picture>(design_name::detailMap)->ColorAt(150, 120), fixture_->ScaleColor(2, 2));
    QCOMPARE(Find<QLineEdit>(design_name::elevationEdit)->text(),
             QString::fromStdString(ValueText(Document().Elevation(next.x(), next.y()))));
    QCOMPARE(Find<QLineEdit>(design_name::elevationEdit)->selectedText(), Find<QLineEdit>(design_name::elevationEdit)->text());
  }

  void arrowKeysMoveTheCursorAndDiscardTheTypedText() {
    Type(design_name::elevationEdit, "55");
    QTest::keyClick(Find(design_name::elevationEdit), Qt::Key_Left);
    QCOMPARE(Cursor(), QPoint(1, 1));
    QTest::keyClick(Find(design_name::elevationEdit), Qt::Key_Down);
    QTest::keyClick(Find(design_name::elevationEdit), Qt::Key_Right);
    QCOMPARE(Cursor(), QPoint(2, 2));
    QCOMPARE(Find<QLineEdit>(design_name::elevationEdit)->text(), QString::fromStdString(ValueText(Document().Elevation(2, 2))));
    QCOMPARE(fixture_->Panel(2), QString("レコード位置 : 002 , 002"));
    QVERIFY(!fixture_->SaveEnabled());
  }

  void anUnconfirmedValueSurvivesAMenuButNotLeavingTheField() {
    Type(design_name::elevationEdit, "55");
    QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(Find(design_name::elevationEdit), &popup);
    QCOMPARE(Find<QLineEdit>(design_name::elevationEdit)->text(), QString("55"));
    Find(design_name::commentEdit)->setFocus();
    QCOMPARE(Find<QLineEdit>(design_name::elevationEdit)->text(), QString("108.7"));
    QCOMPARE(Document().Elevation(1, 1), 1087);
  }

  void pointEditPicksAndDragsTheCursorWithoutChangingValues() {
    QTest::mousePress(Find(design_name::detailMap), Qt::LeftButton, {}, test::WindowFixture::DetailCellCentre(3, 1));
    QCOMPARE(Cursor(), QPoint(4, 2));
    Drag(Qt::LeftButton, test::WindowFixture::DetailCellCentre(6, 4));
    QCOMPARE(Cursor(), QPoint(7, 5));
    Drag(Qt::RightButton, test::WindowFixture::DetailCellCentre(9, 9));
    QCOMPARE(Cursor(), QPoint(7, 5));
    QTest::mouseRelease(Find(design_name::detailMap), Qt::LeftButton, {}, test::WindowFixture::DetailCellCentre(6, 4));
    Drag(Qt::LeftButton, test::WindowFixture::DetailCellCentre(9, 9));
    QCOMPARE(Cursor(), QPoint(7, 5));  // a move after the release is no drag
    QVERIFY(!fixture_->SaveEnabled());
  }

  void brushModeShowsItsFieldAndPaintsOnlyUnderTheLeftButton() {
    QTest::mouseClick(Find(design_name::Item(design_name::autoMoveOptions, 1)), Qt::LeftButton);
    Find<QAction>(design_name::brushModeAction)->trigger();
    QVERIFY(!Find<QAction>(design_name::pointEditModeAction)->isChecked());
    QVERIFY(!Find(design_name::autoMoveFrame)->isVisible());
    QVERIFY(Find(design_name::brushCaption)->isVisible() && Find(design_name::brushEdit)->isVisible());
    QCOMPARE(fixture_->Panel(1), QString("筆モード"));

    Type(design_name::brushEdit, "123.4");
    const std::int32_t before = Document().Elevation(8, 8);
    QTest::mouseClick(Find(design_name::detailMap), Qt::RightButton, {}, test::WindowFixture::DetailCellCentre(7, 7));
    QCOMPARE(Cursor(), QPoint(8, 8));
    QCOMPARE(Document().Elevation(8, 8), before);
    // A quick stroke once left the cells between two pointer positions.
    fixture_->Stroke("123.4", {{1, 1}, {4, 3}});
    for (auto [x, y] : {std::pair{2, 2}, {3, 3}, {4, 3}, {5, 4}}) QCOMPARE(Document().Elevation(x, y), 1234);
    QCOMPARE(Find<QLineEdit>(design_name::elevationEdit)->text(), QString("123.4"));
    const std::int32_t untouched = Document().Elevation(11, 11);
    fixture_->Stroke("", {{10, 10}});
    QCOMPARE(Document().Elevation(11, 11), untouched);  // an empty brush paints nothing
    QVERIFY(fixture_->dialogs.messages.isEmpty());
    QVERIFY(fixture_->SaveEnabled());

    Find<QAction>(design_name::pointEditModeAction)->trigger();
    QVERIFY(Find(design_name::autoMoveFrame)->isVisible() && !Find(design_name::brushEdit)->isVisible());
    QCOMPARE(fixture_->Panel(1), QString("点編集モード"));
    QVERIFY(Find<QRadioButton>(design_name::Item(design_name::autoMoveOptions, 1))->isChecked());
  }

  void saveWritesOnlyTheEditedValueBack() {
    Enter("-0.5");
    QTest::mouseClick(Find(design_name::saveButton), Qt::LeftButton);
    QVERIFY(fixture_->dialogs.messages.isEmpty());
    QVERIFY(!fixture_->SaveEnabled());
    QFile saved(opened_), sample(KORAVEL_SAMPLE_MESH);
    QVERIFY(saved.open(QIODevice::ReadOnly) && sample.open(QIODevice::ReadOnly));
    QByteArray expected = sample.readAll();
    expected.replace(1011 + 9, 5, "-0005");  // the sample's header line is 1011 bytes
    QCOMPARE(saved.readAll(), expected);
  }

  void aCancelledOrFailedSaveStopsTheCloseAndKeepsSaveEnabled() {
    QFile::setPermissions(opened_, QFile::ReadOwner);
    fixture_->Open(opened_, true);
    Enter("1");
    fixture_->dialogs.save_changes_answers = {SaveChoice::Cancel, SaveChoice::Save};
    QVERIFY(!fixture_->window->close());
    QVERIFY(fixture_->dialogs.messages.isEmpty());
    QVERIFY(!fixture_->window->close());
    QCOMPARE(fixture_->dialogs.messages, QStringList{"パス名が無効です。または書き込みできません。"});
    QVERIFY(fixture_->SaveEnabled());
  }


  // A value typed into an omitted row was kept, never drawn, and dropped by
  // Save, which then counted the mesh as saved.
  void aValueInAnOmittedRowMakesTheRowPresentUntilUndone() {
    test::MeshFileFields fields;
    fields.record_flags[2] = '0';
    fields.record_count = "199";
    const QByteArray omitted = QByteArray::fromStdString(fields.File());
    const QString path = fixture_->WriteFile("omitted.mem", omitted);
    fixture_->Open(path);
    auto* detail = Find<Picture>(design_name::detailMap);
    int hatched = 0;
    for (int x = 0; x < 1000; x += 15) hatched += detail->ColorAt(x, 2 * 80 + 40) != fixture_->ScaleColor(1, 3);
    QVERIFY2(hatched > 0, "the omitted row is hatched");
    QTest::mouseClick(detail, Qt::LeftButton, {}, test::WindowFixture::DetailCellCentre(4, 2));
    Enter("12.3");
    Find<QAction>(design_name::saveAction)->trigger();
    fields.record_flags[2] = '1';
    fields.record_count = "200";
    fields.value_text = [](int x, int y) {
      return y != 3 ? test::MeshFileFields::DefaultValueText(x, y) : x == 5 ? "00123" : "-9999";
    };
    QCOMPARE(QByteArray::fromStdString(test::ReadBytes(path.toStdString())), QByteArray::fromStdString(fields.File()));
    Find<QAction>(design_name::undoAction)->trigger();
    QVERIFY(!Document().IsRowPresent(3));
    Find<QAction>(design_name::saveAction)->trigger();
    QCOMPARE(QByteArray::fromStdString(test::ReadBytes(path.toStdString())), omitted);
  }

  // The comment field once took more than the header's 40 characters, and
  // the save cut them without a word.
  void theCommentHoldsFortyCharactersAndAPasteThatOverflowsIsCutWithAWord() {
    auto* comment = Find<QLineEdit>(design_name::commentEdit);
    comment->setFocus();
    comment->selectAll();
    QApplication::clipboard()->setText(QString(45, QChar(0x5C71)));
    QTest::keyClick(comment, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(comment->text(), QString(40, QChar(0x5C71)));
    QCOMPARE(fixture_->dialogs.messages, QStringList{"コメントは40文字までです。入りきらない文字は切り捨てました。"});
    QTest::keyClicks(comment, "x");
    QCOMPARE(comment->text(), QString(40, QChar(0x5C71)));
    QCOMPARE(fixture_->dialogs.messages.size(), 1);
  }

  void openingAsksBeforeUnsavedEditsAreLost_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("opened");
    QTest::addColumn<int>("saved_value");
    QTest::newRow("cancel") << static_cast<int>(SaveChoice::Cancel) << false << 1087;
    QTest::newRow("discard") << static_cast<int>(SaveChoice::Discard) << true << 1087;
    QTest::newRow("save") << static_cast<int>(SaveChoice::Save) << true << 10;
  }

  void openingAsksBeforeUnsavedEditsAreLost() {
    QFETCH(int, answer);
    QFETCH(bool, opened);
    QFETCH(int, saved_value);
    Enter("1");
    fixture_->dialogs.save_changes_answers.push_back(static_cast<SaveChoice>(answer));
    const QString other = fixture_->CopyOfSample("other.mem");
    fixture_->Open(other);
    QCOMPARE(fixture_->dialogs.save_changes_questions, 1);
    QCOMPARE(QString::fromStdString(Document().MeshFileName), opened ? other : opened_);
    QCOMPARE(ReadMeshFile(opened_.toStdString()).document->Elevation(1, 1), saved_value);
  }

};

}  // namespace koravel

QTEST_MAIN(koravel::EditingTest)
#include "editing_test.moc"
