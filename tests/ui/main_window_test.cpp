// User stories of the main window, driven through its real controls.

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>
#include <memory>

#include "app/frm_main.h"
#include "mesh/mesh_reader.h"
#include "window_fixture.h"
#include "views/picture.h"

namespace koravel {

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::WindowFixture> fixture_;
  test::ScriptedDialogs* dialogs_ = nullptr;

  template <typename Widget = QWidget>
  Widget* Find(const QString& name) { return fixture_->Find<Widget>(name); }
  frmMain* Window() { return fixture_->window.get(); }

 private slots:
  void init() {
    fixture_ = std::make_unique<test::WindowFixture>();
    dialogs_ = &fixture_->dialogs;
  }

  void cleanup() { fixture_.reset(); }

  void firstStartShowsTheDesignedWindowWithoutADocument() {
    QCOMPARE(Window()->pos(), QPoint(1000 / 15, 1000 / 15));
    QCOMPARE(Window()->size(), QSize(9600 / 15, 7900 / 15));
    QCOMPARE(Window()->windowTitle(), QString("Koravel 50"));
    QCOMPARE(Find<QAction>("mnuFile")->text(), QString("ﾌｧｲﾙ(&F)"));
    QCOMPARE(Find<QAction>("mnuFileSaveAs")->text(), QString("名前を付けて保存(&A)..."));
    QCOMPARE(Find<QAction>("mnuToolsTruckClear")->text(), QString("ﾄﾗｯｸ消去"));
    QCOMPARE(Find<QAction>("tbToolBarButton2")->toolTip(), QString("開く"));
    QVERIFY(!fixture_->SaveEnabled());
    QVERIFY(Find<QAction>("mnuEditpointEditMode")->isChecked());
    QVERIFY(!Find<QAction>("mnuEditBrushMode")->isChecked());
    QVERIFY(Find<QAction>("mnuToolsTruckDraw")->isChecked());
    QVERIFY(Find<QRadioButton>("Option1(0)")->isChecked());
    for (const char* hidden : {"Label10(1)", "Label10(2)", "Label10(3)", "Label18", "Label12", "Text4"}) {
      QVERIFY2(!Find(hidden)->isVisible(), hidden);
    }
    QCOMPARE(Find<QLineEdit>("Text3(8)")->text(), QString("750"));
    QCOMPARE(Window()->Scale().ScaleLevels[8], 750.0);
    QCOMPARE(fixture_->Panel(1), QString("点編集モード"));
    QCOMPARE(fixture_->Panel(2), QString("レコード位置 : 000 , 000"));
    QCOMPARE(fixture_->Panel(3), QString("緯度 : 00°00' 00.0\" , 経度 : 000°00' 00.00\""));
    QCOMPARE(Find<Picture>("Picture3")->ColorAt(120, 3700), QColor(0, 50, 150));
    QCOMPARE(Find<Picture>("Picture3")->ColorAt(120, 100), QColor(180, 180, 150));
  }

  void newShowsItsPlaceholderFromMenuAndToolBar() {
    Find<QAction>("mnuFileNew")->trigger();
    Find<QAction>("tbToolBarButton1")->trigger();
    QCOMPARE(dialogs_->messages, QStringList({" 'mnuFileNew_Click' のｺｰﾄﾞを追加します。",
                                             " '新規作成' ﾎﾞﾀﾝのｺｰﾄﾞを追加します。"}));
  }

  void geometryIsStoredOnCloseAndRestoredAtStart() {
    Window()->move(200, 150);
    Window()->resize(700, 560);
    Window()->close();
    QSettings settings("Koravel", "Koravel");
    QCOMPARE(settings.value("Settings/MainLeft").toString(), QString::number(Window()->x() * 15));
    QCOMPARE(settings.value("Settings/MainWidth").toString(), QString("10500"));
    QCOMPARE(settings.value("Settings/MainHeight").toString(), QString("8400"));
    const QPoint closed_at = Window()->pos();
    fixture_->StartWindow();
    QCOMPARE(Window()->size(), QSize(700, 560));
    QCOMPARE(Window()->pos(), closed_at);
  }

  void aMinimizedWindowStoresNothing() {
    Window()->showMinimized();
    Window()->close();
    QVERIFY(!QSettings("Koravel", "Koravel").contains("Settings/MainLeft"));
  }

  void geometryOnNoScreenIsNotUsed() {
    {
      QSettings settings("Koravel", "Koravel");
      settings.setValue("Settings/MainLeft", "900000");
      settings.setValue("Settings/MainTop", "900000");
    }
    fixture_->StartWindow();
    QCOMPARE(Window()->pos(), QPoint(1000 / 15, 1000 / 15));
  }

  void openingTheSampleShowsItsHeaderMapsAndCursor() {
    fixture_->Open(fixture_->CopyOfSample("sample.mem"));
    QVERIFY(dialogs_->messages.isEmpty());
    QCOMPARE(dialogs_->titles, QStringList{"開く"});
    QCOMPARE(dialogs_->filters, QStringList{"50Mﾒｯｼｭﾌｧｲﾙ (*.mem)"});
    QCOMPARE(Find<QLabel>("Label2")->text(), QString("533945"));
    QCOMPARE(Find<QLabel>("Label4")->text(), QString("1/25000"));
    QCOMPARE(Find<QLabel>("Label6(2)")->text(), QString("1994"));
    QCOMPARE(Find<QLabel>("Label7(0)")->text(), QString("035°40' 00\""));
    QCOMPARE(Find<QLabel>("Label8(1)")->text(), QString("139°45' 00\""));
    QVERIFY(Find<QLabel>("Label10(0)")->text().startsWith("東京西南部"));
    QVERIFY(Find<QLineEdit>("Text1")->text().startsWith("合成テスト用"));
    QVERIFY(!fixture_->SaveEnabled());

    auto* overview = Find<Picture>("Picture1");
    auto* detail = Find<Picture>("Picture2");
    for (auto [x, y] : {std::pair{1, 1}, {99, 41}, {199, 199}, {151, 3}}) {
      QCOMPARE(overview->ColorAt((x - 1) * 10 + 5, (y - 1) * 8 + 4), fixture_->ScaleColor(x, y));
    }
    for (auto [x, y] : {std::pair{1, 1}, {50, 50}, {17, 33}}) {
      QCOMPARE(detail->ColorAt((x - 1) * 100 + 50, (y - 1) * 80 + 40), fixture_->ScaleColor(x, y));
    }
    QCOMPARE(overview->OutlinePosition(), QPoint(0, 0));
    QCOMPARE(detail->OutlinePosition(), QPoint(0, 0));
    QCOMPARE(fixture_->Panel(2), QString("レコード位置 : 001 , 001"));
    QCOMPARE(fixture_->Panel(3), QString("緯度 : 35°44' 58.5\" , 経度 : 139°37' 30.00\""));
    auto* value = Find<QLineEdit>("Text2");
    QCOMPARE(value->text(), QString("108.7"));
    QVERIFY(value->hasFocus());
    QCOMPARE(value->selectedText(), QString("108.7"));
  }

  void failedOpensLeaveTheWindowAsItWas_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<bool>("read_only_file");
    QTest::addColumn<QString>("message");
    QTest::newRow("not a mesh") << "bad.mem" << QByteArray("533945xxxxx") << false << "メッシュファイルではありません。";
    QTest::newRow("empty") << "empty.mem" << QByteArray() << false << "ファイルエラーです。";
    QTest::newRow("missing file") << "absent.mem" << QByteArray() << false << "ファイルが見つかりません。";
    QTest::newRow("missing folder") << "absent/x.mem" << QByteArray() << false << "パスが見つかりません。";
    QTest::newRow("read-only, box clear") << "locked.mem" << QByteArray() << true << "読み取り専用ファイルです。";
  }

  void failedOpensLeaveTheWindowAsItWas() {
    QFETCH(QString, file);
    QFETCH(QByteArray, contents);
    QFETCH(bool, read_only_file);
    QFETCH(QString, message);
    const QString first = fixture_->CopyOfSample("first.mem");
    fixture_->Open(first);
    Find<QScrollBar>("HScroll1")->setValue(40);
    Find<QLineEdit>("Text1")->setText("edited");
    const QString path = fixture_->folder.filePath(file);
    if (read_only_file) {
      fixture_->CopyOfSample(file);
      QFile::setPermissions(path, QFile::ReadOwner);
    } else if (!contents.isNull() || file == "empty.mem") {
      QFile out(path);
      QVERIFY(out.open(QIODevice::WriteOnly));
      out.write(contents);
    }
    const std::int32_t corner = Window()->Document().Elevation(1, 1);

    dialogs_->save_changes_answers.push_back(SaveChoice::Discard);
    fixture_->Open(path);
    QCOMPARE(dialogs_->messages, QStringList{message});
    QCOMPARE(QString::fromStdString(Window()->Document().MeshFileName), first);
    QCOMPARE(QString::fromStdString(Window()->Document().MeshComment.Text()), QString("edited"));
    QCOMPARE(Window()->Document().Elevation(1, 1), corner);
    QCOMPARE(Find<QLabel>("Label2")->text(), QString("533945"));
    QCOMPARE(Window()->View().MapXstart, 40);
    QCOMPARE(Find<Picture>("Picture2")->ColorAt(50, 40), fixture_->ScaleColor(40, 1));
    QCOMPARE(Find<QLineEdit>("Text1")->text(), QString("edited"));
    QVERIFY(fixture_->SaveEnabled());
  }

  void cancellingTheOpenDialogChangesNothing() {
    Find<QAction>("tbToolBarButton2")->trigger();
    QCOMPARE(dialogs_->titles, QStringList{"開く"});
    QVERIFY(dialogs_->messages.isEmpty());
    QVERIFY(Window()->Document().MeshFileName.empty());
  }

  void aReadOnlyFileOpensWhenTheBoxIsTicked() {
    const QString path = fixture_->CopyOfSample("locked.mem");
    QFile::setPermissions(path, QFile::ReadOwner);
    fixture_->Open(path, true);
    QVERIFY(dialogs_->messages.isEmpty());
    QCOMPARE(Find<QLabel>("Label2")->text(), QString("533945"));
  }

  void aResizedPictureIsDrawnAgain() {
    fixture_->Open(fixture_->CopyOfSample("sample.mem"));
    auto* detail = Find<Picture>("Picture2");
    detail->resize(detail->size() + QSize(1, 0));
    QCOMPARE(detail->ColorAt(50, 40), fixture_->ScaleColor(1, 1));
    QCOMPARE(detail->ColorAt(4950, 3950), fixture_->ScaleColor(50, 50));
  }

  void scrollBarsMoveTheViewButNotTheCursor() {
    fixture_->Open(fixture_->CopyOfSample("sample.mem"));
    auto* horizontal = Find<QScrollBar>("HScroll1");
    horizontal->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(Window()->View().MapXstart, 51);
    QCOMPARE(Find<Picture>("Picture1")->OutlinePosition(), QPoint(500, 0));
    QCOMPARE(Find<Picture>("Picture2")->ColorAt(50, 40), fixture_->ScaleColor(51, 1));
    QCOMPARE(Find<Picture>("Picture2")->OutlinePosition(), QPoint(-5000, 0));
    QCOMPARE(fixture_->Panel(2), QString("レコード位置 : 001 , 001"));
    QVERIFY(Find<QLineEdit>("Text2")->hasFocus());
    Find<QScrollBar>("VScroll1")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(Window()->View().MapYstart, 2);
    QCOMPARE(Find<Picture>("Picture1")->OutlinePosition(), QPoint(500, 8));
  }

  void overviewClicksCentreTheViewWithinTheGrid_data() {
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<QPoint>("start");
    QTest::newRow("top left") << QPoint(1, 1) << QPoint(1, 1);
    QTest::newRow("halves to even") << QPoint(25, 20) << QPoint(12, 12);
    QTest::newRow("bottom right") << QPoint(133, 106) << QPoint(151, 151);
    QTest::newRow("middle") << QPoint(66, 53) << QPoint(74, 74);
  }

  void overviewClicksCentreTheViewWithinTheGrid() {
    QFETCH(QPoint, pixel);
    QFETCH(QPoint, start);
    fixture_->Open(fixture_->CopyOfSample("sample.mem"));
    QTest::mouseClick(Find("Picture1"), Qt::LeftButton, {}, pixel);
    QCOMPARE(QPoint(Window()->View().MapXstart, Window()->View().MapYstart), start);
    QCOMPARE(Find<QScrollBar>("HScroll1")->value(), start.x());
    QCOMPARE(Find<QScrollBar>("VScroll1")->value(), start.y());
    QCOMPARE(Find<Picture>("Picture1")->OutlinePosition(), QPoint((start.x() - 1) * 10, (start.y() - 1) * 8));
    QCOMPARE(Find<Picture>("Picture2")->ColorAt(4950, 3950), fixture_->ScaleColor(start.x() + 49, start.y() + 49));
  }

  void saveAsWritesTheDocumentAndKeepsNamingTheOpenedFile() {
    const QString opened = fixture_->CopyOfSample("sample.mem");
    fixture_->Open(opened);
    const QString copy = fixture_->folder.filePath("copy.mem");
    dialogs_->save_answers.push_back(copy);
    Find<QAction>("mnuFileSaveAs")->trigger();
    QVERIFY(dialogs_->messages.isEmpty());
    QCOMPARE(dialogs_->titles.last(), QString("名前を付けて保存する"));
    QFile written(copy), original(KORAVEL_SAMPLE_MESH);
    QVERIFY(written.open(QIODevice::ReadOnly) && original.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), original.readAll());
    QCOMPARE(QString::fromStdString(Window()->Document().MeshFileName), opened);
  }

  void saveAsOverAReadOnlyFileIsRefusedAndLeavesItAlone() {
    fixture_->Open(fixture_->CopyOfSample("sample.mem"));
    const QString locked = fixture_->folder.filePath("locked.mem");
    QFile out(locked);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write("previous");
    out.close();
    QFile::setPermissions(locked, QFile::ReadOwner);
    dialogs_->save_answers.push_back(locked);
    Find<QAction>("mnuFileSaveAs")->trigger();
    QCOMPARE(dialogs_->messages, QStringList{"パス名が無効です。または書き込みできません。"});
    QVERIFY(out.open(QIODevice::ReadOnly));
    QCOMPARE(out.readAll(), QByteArray("previous"));
  }

  void saveAsWithoutADocumentWritesTheEmptyHeader() {
    const QString path = fixture_->folder.filePath("empty.mem");
    dialogs_->save_answers.push_back(path);
    Find<QAction>("mnuFileSaveAs")->trigger();
    QVERIFY(dialogs_->messages.isEmpty());
    QCOMPARE(QFileInfo(path).size(), 185 + 200 + 584 + 2);
    const MeshReadResult reread = ReadMeshFile(path.toStdString());
    QCOMPARE(reread.error, std::optional(ErrorCode::NotMeshFile));
  }

  void cancellingSaveAsWritesNothing() {
    const QStringList before = QDir(fixture_->folder.path()).entryList(QDir::Files);
    Find<QAction>("mnuFileSaveAs")->trigger();
    QVERIFY(dialogs_->messages.isEmpty());
    QCOMPARE(QDir(fixture_->folder.path()).entryList(QDir::Files), before);
  }
};

}  // namespace koravel

QTEST_MAIN(koravel::MainWindowTest)
#include "main_window_test.moc"
