// User stories of taking edits back, and regression tests of faults found
// in value, brush and comment entry.

#include <QAction>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QtTest>

#include "ui/app/design_names.h"
#include "ui/views/picture.h"
#include "window_fixture.h"

namespace koravel {

class UndoTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::WindowFixture> fixture_;
  QString opened_;

  template <typename Widget = QWidget>
  Widget* Find(const QString& name) { return fixture_->Find<Widget>(name); }
  std::int32_t Value(int x, int y) { return fixture_->window->Mesh().Elevation(x, y); }
  QString Comment() { return QString::fromStdString(fixture_->window->Mesh().MeshComment.Text()); }
  bool CanUndo() { return Find<QAction>(design_name::undoAction)->isEnabled(); }
  bool CanRedo() { return Find<QAction>(design_name::redoAction)->isEnabled(); }
  void Undo() { Find<QAction>(design_name::undoAction)->trigger(); }
  void Redo() { Find<QAction>(design_name::redoAction)->trigger(); }

  // Both maps show cell (x, y) in its colour; the view starts at cell 1, 1.
  void VerifyPainted(int x, int y) {
    QCOMPARE(Find<Picture>(design_name::overviewMap)->ColorAt((x - 1) * 10 + 5, (y - 1) * 8 + 4),
             fixture_->ScaleColor(x, y));
    QCOMPARE(Find<Picture>(design_name::detailMap)->ColorAt((x - 1) * 100 + 50, (y - 1) * 80 + 40),
             fixture_->ScaleColor(x, y));
  }

  // Sends `text` as an input method commits it, as Japanese text arrives.
  void Commit(const QString& name, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(Find(name), &event);
  }

 private slots:
  void init() {
    fixture_ = std::make_unique<test::WindowFixture>();
    opened_ = fixture_->CopyOfSample("sample.mem");
    fixture_->Open(opened_);
  }

  void cleanup() { fixture_.reset(); }

  void aTypedValueIsUndoneAndRedoneWithTheStandardKeys() {
    fixture_->Enter("-999.9");
    QCOMPARE(Value(1, 1), kNoData);
    VerifyPainted(1, 1);
    QCOMPARE(fixture_->Cursor(), QPoint(2, 1));
    QVERIFY(CanUndo() && !CanRedo());

    QWidget* field = Find(design_name::elevationEdit);
    QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Value(1, 1), 1087);
    VerifyPainted(1, 1);
    QCOMPARE(fixture_->Cursor(), QPoint(1, 1));
    QCOMPARE(Find<QLineEdit>(design_name::elevationEdit)->text(), QString("108.7"));
    QVERIFY(!fixture_->SaveEnabled());
    QVERIFY(!CanUndo() && CanRedo());

    QTest::keyClick(field, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(Value(1, 1), kNoData);
    QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(Value(1, 1), kNoData);
    VerifyPainted(1, 1);
    QVERIFY(fixture_->SaveEnabled());
  }

  void aBrushStrokeOfManyCellsIsOneStep() {
    const std::int32_t before = Value(4, 5);
    fixture_->Stroke("1487.2", {{2, 2}, {3, 2}, {4, 2}, {3, 2}, {3, 4}});
    fixture_->Stroke("0", {{9, 9}});
    QCOMPARE(Value(10, 10), 0);
    Undo();
    QVERIFY(Value(10, 10) != 0);
    QCOMPARE(Value(4, 3), 14872);
    QCOMPARE(fixture_->Cursor(), QPoint(10, 10));
    Undo();
    for (auto [x, y] : {std::pair{3, 3}, {4, 3}, {5, 3}, {4, 5}}) QVERIFY(Value(x, y) != 14872);
    QCOMPARE(Value(4, 5), before);
    QCOMPARE(fixture_->Cursor(), QPoint(3, 3));
    VerifyPainted(3, 3);
    QVERIFY(!CanUndo());
    Redo();
    QCOMPARE(Value(5, 3), 14872);
    QCOMPARE(Value(4, 5), 14872);
  }

  void commentTypingIsOneStepUntilTheFieldIsLeft() {
    const QString original = Comment();
    auto* comment = Find<QLineEdit>(design_name::commentEdit);
    const QString shown = comment->text();  // without the padding
    comment->setFocus();
    QTest::keyClicks(comment, "ab");
    fixture_->Type(design_name::elevationEdit, "1");
    comment->setFocus();
    comment->setCursorPosition(0);
    QTest::keyClicks(comment, "c");
    QCOMPARE(Comment(), "ｃａｂ" + shown);
    QTest::keyClick(comment, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Comment(), "ａｂ" + shown);
    QCOMPARE(comment->text(), Comment());
    Undo();
    QCOMPARE(Comment(), original);
    QVERIFY(!fixture_->SaveEnabled());
  }

  void onlyTheStateLastSavedCountsAsUnchanged() {
    fixture_->Enter("1");
    Find<QAction>(design_name::saveAction)->trigger();
    Undo();
    QVERIFY(fixture_->SaveEnabled());
    Redo();
    fixture_->Enter("2");
    Undo();
    QVERIFY(!fixture_->SaveEnabled());
    QVERIFY(fixture_->window->close());
    QCOMPARE(fixture_->dialogs.save_changes_questions, 0);
    fixture_->StartWindow();
  }

  void aNewEditClearsTheRedoAndOpeningAFileTheWholeHistory() {
    fixture_->Enter("1");
    Undo();
    fixture_->Enter("2");
    QVERIFY(!CanRedo());
    Undo();
    QCOMPARE(Value(1, 1), 1087);
    QVERIFY(!CanUndo());
    Redo();
    fixture_->dialogs.save_changes_answers.push_back(SaveChoice::Discard);
    fixture_->Open(fixture_->CopyOfSample("other.mem"));
    QVERIFY(!CanUndo() && !CanRedo());
  }

  // Typing 250 after the message once gave "108.7250", stored as 108.7; a
  // refused brush height once took the cursor cell's value, -999.9 over the
  // sea, and the next stroke erased data.
  void theValueRestoredAfterARangeMessageIsTypedOver_data() {
    QTest::addColumn<bool>("brush");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("restored");
    QTest::newRow("elevation field, out of range") << false << "10000" << "108.7";
    QTest::newRow("elevation field, no number") << false << "1,234" << "108.7";
    QTest::newRow("elevation field, cleared") << false << "" << "108.7";
    QTest::newRow("brush field") << true << "abc" << "5";
  }

  void theValueRestoredAfterARangeMessageIsTypedOver() {
    QFETCH(bool, brush);
    QFETCH(QString, typed);
    QFETCH(QString, restored);
    const QString name = brush ? design_name::brushEdit : design_name::elevationEdit;
    auto* field = Find<QLineEdit>(name);
    if (brush) {
      Find<QAction>(design_name::brushModeAction)->trigger();
      fixture_->Type(name, "5");
      QTest::keyClick(field, Qt::Key_Return);
    }
    fixture_->Type(name, typed);
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(fixture_->dialogs.messages, QStringList{"標高は-999.9m～9999.9mの範囲で入力して下さい。"});
    QCOMPARE(field->text(), restored);
    QCOMPARE(fixture_->Cursor(), QPoint(1, 1));
    QVERIFY(!fixture_->SaveEnabled());
    QTest::keyClicks(field, "250");
    QCOMPARE(field->text(), QString("250"));
  }

  // The hidden field once handed the focus to the comment, all selected.
  // Digits typed after the switch were once appended to the value shown.
  void aModeSwitchPutsTheFocusInThatModesField() {
    Find<QAction>(design_name::brushModeAction)->trigger();
    QVERIFY(Find(design_name::brushEdit)->hasFocus());
    Find<QAction>(design_name::pointEditModeAction)->trigger();
    auto* value = Find<QLineEdit>(design_name::elevationEdit);
    QVERIFY(value->hasFocus());
    QCOMPARE(value->selectedText(), value->text());
  }

  // "fixed 2024" once saved a header GDAL refuses.
  void halfWidthCommentCharactersBecomeFullWidth() {
    auto* comment = Find<QLineEdit>(design_name::commentEdit);
    comment->setFocus();
    comment->clear();
    QTest::keyClicks(comment, "fixed 2024");
    Commit(design_name::commentEdit, "ｶﾞｯｺｳﾟ");
    QCOMPARE(Comment(), QString("ｆｉｘｅｄ　２０２４ガッコウ゜"));
    QCOMPARE(comment->cursorPosition(), 15);
    Find<QAction>(design_name::saveAction)->trigger();
    QFile saved(opened_);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readLine().size(), 1009 + 2);
  }
};

}  // namespace koravel

QTEST_MAIN(koravel::UndoTest)
#include "undo_test.moc"
