// User stories of the main window, driven through its real controls.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "ui/app/design_names.h"
#include "ui/app/frm_main.h"
#include "ui/app/japanese_translation.h"
#include "ui/common/qt_dialogs.h"
#include "ui/views/picture.h"
#include "window_fixture.h"

namespace koravel {

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::WindowFixture> fixture_;
  test::ScriptedDialogs* dialogs_ = nullptr;

  template <typename Widget = QWidget>
  Widget* Find(const QString& name) { return fixture_->Find<Widget>(name); }
  frmMain* Window() { return fixture_->window.get(); }

  QStringList RecentFiles() {
    QStringList paths;
    for (QAction* item : Find<QMenu>(design_name::recentFilesMenu)->actions()) paths << item->text().mid(3);
    return paths;
  }

  void Drop(const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(Window(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(Window(), &drop);
  }

  // Answers the next modal dialog Qt shows with `answer`, once it is up.
  template <typename Dialog>
  static void WhenShown(std::function<void(Dialog&)> answer) {
    QTimer::singleShot(0, [answer] {
      auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
      if (!dialog) qFatal("no dialog came up");
      answer(*dialog);
    });
  }

 private slots:
  void initTestCase() { InstallJapaneseTranslation(*QCoreApplication::instance()); }

  void init() {
    fixture_ = std::make_unique<test::WindowFixture>();
    dialogs_ = &fixture_->dialogs;
  }

  void cleanup() { fixture_.reset(); }

  // Typing before any file was opened once edited a mesh nobody could save.
  void firstStartShowsTheDesignedWindowWithoutADocumentAndNothingToEdit() {
    QCOMPARE(Window()->windowTitle(), QString("Koravel"));
    QVERIFY(!fixture_->SaveEnabled());
    for (const char* name : {design_name::elevationEdit, design_name::brushEdit, design_name::commentEdit}) {
      QVERIFY2(!Find(name)->isEnabled(), name);
    }
    QVERIFY(!Find<QAction>(design_name::saveAsAction)->isEnabled());
    QVERIFY(!Find<QAction>(design_name::undoAction)->isEnabled());
    QVERIFY(!Find<QAction>(design_name::redoAction)->isEnabled());
    QVERIFY(Find<QAction>(design_name::pointEditModeAction)->isChecked());
    QVERIFY(Find<QAction>(design_name::trackShowAction)->isChecked());
    QVERIFY(Find<QRadioButton>(design_name::Item(design_name::autoMoveOptions, 0))->isChecked());
    QVERIFY(!Find(design_name::brushEdit)->isVisible());
    QCOMPARE(fixture_->Panel(2), QString("レコード位置 : 000 , 000"));
    QCOMPARE(Find<Picture>(design_name::legendSwatches)->ColorAt(120, 3700), QColor(0, 50, 150));
    QVERIFY(!Find<QMenu>(design_name::recentFilesMenu)->isEnabled());
  }

  // Two items of one menu with the same Alt key made that key only move
  // between them, so 範囲選択モード could not be chosen by keyboard.
  void everyMenuGivesEachItemItsOwnAltKey() {
    QList<QMenu*> menus;
    QList<QAction*> level = Window()->menuBar()->actions();
    while (!level.isEmpty()) {
      QMap<QChar, QString> seen;
      for (QAction* item : level) {
        const qsizetype amp = item->text().indexOf('&');
        if (item->isSeparator() || amp < 0) continue;
        const QChar key = item->text().at(amp + 1).toUpper();
        QVERIFY2(!seen.contains(key), qPrintable(seen[key] + " / " + item->text()));
        seen[key] = item->text();
        if (item->menu()) menus << item->menu();
      }
      level = menus.isEmpty() ? QList<QAction*>{} : menus.takeFirst()->actions();
    }
  }

  void theDatePanelShowsTheDateInJapaneseForm() {
    QVERIFY2(QRegularExpression("^\\d{4}/\\d{2}/\\d{2}$").match(fixture_->Panel(4)).hasMatch(),
             qPrintable(fixture_->Panel(4)));
  }

  void geometryIsStoredOnCloseAndRestoredAtStart() {
    Window()->move(200, 150);
    Window()->resize(700, 560);
    Window()->close();
    QSettings settings("Koravel", "Koravel");
    QCOMPARE(settings.value("Settings/MainWidth").toString(), QString("10500"));
    QCOMPARE(settings.value("Settings/MainHeight").toString(), QString("8400"));
    const QPoint closed_at = Window()->pos();
    fixture_->StartWindow();
    QCOMPARE(Window()->size(), QSize(700, 560));
    QCOMPARE(Window()->pos(), closed_at);
  }

  void geometryOnNoScreenIsNotUsed() {
    {
      QSettings settings("Koravel", "Koravel");
      settings.setValue("Settings/MainLeft", "900000");
      settings.setValue("Settings/MainTop", "900000");
    }
    fixture_->StartWindow();
    QCOMPARE(Window()->pos(), QPoint(66, 66));
  }

  // 新規作成 once showed a developer's placeholder.
  void newMakesAMeshOfTheCodeThatTheFirstSaveNames() {
    bool refused = false;
    QString hint;
    dialogs_->on_modal = [&refused, &hint](QDialog& dialog) {
      auto* code = dialog.findChild<QLineEdit*>("txtMeshCode");
      auto* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
      code->setText("533985");  // row 8 does not exist
      refused = !ok->isEnabled();
      hint = dialog.findChild<QLabel*>("lblMeshCodeHint")->text();
      code->clear();
      QInputMethodEvent typed;  // as the input method types it, full-width
      typed.setCommitString(QString::fromUtf8("５２３８７５"));
      QApplication::sendEvent(code, &typed);
      ok->click();
    };
    QTest::mouseClick(Find(design_name::newButton), Qt::LeftButton);
    QVERIFY(refused);
    QCOMPARE(hint, QString("行と列の2桁は0～7です。"));
    QCOMPARE(Window()->windowTitle(), QString("523875.mem[*] - Koravel"));
    QVERIFY(fixture_->SaveEnabled());
    QCOMPARE(Window()->Mesh().Elevation(100, 100), kNoData);
    const QString saved = fixture_->folder.filePath("523875.mem");
    dialogs_->save_answers = {saved};
    Find<QAction>(design_name::saveAction)->trigger();
    QCOMPARE(dialogs_->proposed_names, QStringList{"523875.mem"});
    QCOMPARE(QFileInfo(saved).size(), 1011 * 201);
    QCOMPARE(Window()->windowTitle(), QString("523875.mem[*] - Koravel"));
    QVERIFY(!Window()->isWindowModified() && !fixture_->SaveEnabled());
  }

  // ｵﾌﾟｼｮﾝ once did nothing at all.
  void theOptionsTakeEffectAtOnceAndAreRememberedForTheNextStart() {
    fixture_->Open(fixture_->CopyOfSample("sample.mem"));
    dialogs_->on_modal = [](QDialog& options) {
      options.findChild<QCheckBox*>("chkShadedRelief")->setChecked(true);
      options.findChild<QCheckBox*>("chkHatchOmittedRows")->setChecked(false);
      options.findChild<QComboBox*>("cboAutoMoveDirection")->setCurrentIndex(1);
      options.accept();
    };
    for (int start = 0; start < 2; ++start) {
      Find<QAction>(design_name::optionsAction)->trigger();
      QVERIFY(Find<QAction>(design_name::shadeAction)->isChecked());
      QVERIFY(Find<QLabel>(design_name::noDataCaption)->isHidden());
      QVERIFY(Find<QRadioButton>(design_name::Item(design_name::autoMoveOptions, 1))->isChecked());
      dialogs_->on_modal = [](QDialog& options) { options.reject(); };
      fixture_->StartWindow();
    }
  }

  void openingTheSampleShowsItsHeaderMapsAndCursor() {
    const QString path = fixture_->CopyOfSample("locked.mem");
    QFile::setPermissions(path, QFile::ReadOwner);
    fixture_->Open(path, true);  // a read-only file opens with the box ticked
    QVERIFY(dialogs_->messages.isEmpty());
    QCOMPARE(dialogs_->filters, QStringList{"50Mﾒｯｼｭﾌｧｲﾙ (*.mem)"});
    QCOMPARE(Find<QLabel>(design_name::meshCodeLabel)->text(), QString("533945"));
    QCOMPARE(Find<QLabel>(design_name::scaleLabel)->text(), QString("1/25000"));
    QCOMPARE(Find<QLabel>(design_name::Item(design_name::latitudeLabels, 0))->text(), QString("035°40' 00\""));
    QVERIFY(Find<QLineEdit>(design_name::commentEdit)->text().startsWith("合成テスト用"));
    QVERIFY(!fixture_->SaveEnabled());

    auto* overview = Find<Picture>(design_name::overviewMap);
    auto* detail = Find<Picture>(design_name::detailMap);
    for (auto [x, y] : {std::pair{1, 1}, {99, 41}, {199, 199}}) {
      QCOMPARE(overview->ColorAt((x - 1) * 10 + 5, (y - 1) * 8 + 4), fixture_->ScaleColor(x, y));
    }
    QCOMPARE(detail->ColorAt(1650, 2600), fixture_->ScaleColor(17, 33));
    QCOMPARE(fixture_->Panel(3), QString("緯度 : 35°44' 58.5\" , 経度 : 139°37' 30.00\""));
    auto* value = Find<QLineEdit>(design_name::elevationEdit);
    QCOMPARE(value->selectedText(), QString("108.7"));
    QVERIFY(value->hasFocus());
  }

  void failedOpensLeaveTheWindowAsItWas_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("read_only_file");
    QTest::addColumn<QString>("message");
    QTest::newRow("not a mesh") << "bad.mem" << false << "メッシュファイルではありません。";
    QTest::newRow("read-only, box clear") << "locked.mem" << true << "読み取り専用ファイルです。";
  }

  void failedOpensLeaveTheWindowAsItWas() {
    QFETCH(QString, file);
    QFETCH(bool, read_only_file);
    QFETCH(QString, message);
    const QString first = fixture_->CopyOfSample("first.mem");
    fixture_->Open(first);
    Find<QScrollBar>(design_name::horizontalScroll)->setValue(40);
    QTest::keyClicks(Find(design_name::commentEdit), "x");
    QString path = fixture_->WriteFile(file, "533945xxxxx");
    if (read_only_file) {
      path = fixture_->CopyOfSample(file);
      QFile::setPermissions(path, QFile::ReadOwner);
    }
    const QString comment = Find<QLineEdit>(design_name::commentEdit)->text();

    dialogs_->save_changes_answers.push_back(SaveChoice::Discard);
    fixture_->Open(path);
    QCOMPARE(dialogs_->messages, QStringList{message});
    QCOMPARE(QString::fromStdString(Window()->Mesh().MeshFileName), first);
    QCOMPARE(QString::fromStdString(Window()->Mesh().MeshComment.Text()), comment);
    QCOMPARE(Window()->View().MapXstart, 40);
    QCOMPARE(Find<Picture>(design_name::detailMap)->ColorAt(50, 40), fixture_->ScaleColor(40, 1));
    QVERIFY(fixture_->SaveEnabled());
    QVERIFY(Find<QAction>(design_name::undoAction)->isEnabled());
  }

  void scrollBarsMoveTheViewButNotTheCursor() {
    fixture_->Open(fixture_->CopyOfSample("sample.mem"));
    Find<QScrollBar>(design_name::horizontalScroll)->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(Window()->View().MapXstart, 51);
    QCOMPARE(Find<Picture>(design_name::overviewMap)->OutlinePosition(), QPoint(500, 0));
    QCOMPARE(Find<Picture>(design_name::detailMap)->ColorAt(50, 40), fixture_->ScaleColor(51, 1));
    QCOMPARE(fixture_->Panel(2), QString("レコード位置 : 001 , 001"));
    Find<QScrollBar>(design_name::verticalScroll)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(Find<Picture>(design_name::overviewMap)->OutlinePosition(), QPoint(500, 8));
  }

  void anOverviewClickCentresTheViewWithinTheGrid() {
    fixture_->Open(fixture_->CopyOfSample("sample.mem"));
    QTest::mouseClick(Find(design_name::overviewMap), Qt::LeftButton, {}, QPoint(133, 106));
    QCOMPARE(QPoint(Window()->View().MapXstart, Window()->View().MapYstart), QPoint(151, 151));
    QCOMPARE(Find<QScrollBar>(design_name::verticalScroll)->value(), 151);
    QCOMPARE(Find<Picture>(design_name::detailMap)->ColorAt(4950, 3950), fixture_->ScaleColor(200, 200));
  }

  // Save As once kept the opened name, so the next Save wrote the edits
  // into the file the user meant to leave alone.
  void saveAsMakesTheNewFileTheDocumentsFile() {
    const QString opened = fixture_->CopyOfSample("sample.mem");
    fixture_->Open(opened);
    QCOMPARE(Window()->windowTitle(), QString("sample.mem[*] - Koravel"));
    fixture_->Enter("1");
    QVERIFY(Window()->isWindowModified());
    const QString copy = fixture_->folder.filePath("copy.mem");
    dialogs_->save_answers = {std::nullopt, copy};
    Find<QAction>(design_name::saveAsAction)->trigger();
    QVERIFY(!QFile::exists(copy));
    Find<QAction>(design_name::saveAsAction)->trigger();
    QCOMPARE(dialogs_->proposed_names, QStringList({opened, opened}));
    QVERIFY(dialogs_->messages.isEmpty());
    QCOMPARE(Window()->windowTitle(), QString("copy.mem[*] - Koravel"));
    QVERIFY(!Window()->isWindowModified());
    fixture_->Enter("2");
    Find<QAction>(design_name::saveAction)->trigger();
    QFile written(copy), original(KORAVEL_SAMPLE_MESH), left(opened);
    QVERIFY(written.open(QIODevice::ReadOnly) && original.open(QIODevice::ReadOnly) && left.open(QIODevice::ReadOnly));
    const QByteArray untouched = original.readAll();
    QCOMPARE(left.readAll(), untouched);
    QByteArray expected = untouched;
    expected.replace(1011 + 9, 10, "0001000020");
    QCOMPARE(written.readAll(), expected);
    QCOMPARE(QSettings("Koravel", "Koravel").value("Settings/RecentFiles").toStringList().value(0), copy);
  }

  void exportWritesTheGridAsShownInTheFormatOfTheFilterOrTheTypedExtension() {
    fixture_->Open(fixture_->CopyOfSample("sample.mem"));
    fixture_->Enter("1234.5");
    const QString grid = fixture_->folder.filePath("edited"), tiff = fixture_->folder.filePath("edited.tif");
    const QString typed_asc = fixture_->folder.filePath("typed.asc");
    dialogs_->export_answers = {ExportChoice{grid, 0}, ExportChoice{tiff, 1}, ExportChoice{typed_asc, 1},
                                ExportChoice{fixture_->folder.filePath("gone/x.asc"), 0}};
    for (int i = 0; i < 4; ++i) Find<QAction>(design_name::exportAction)->trigger();
    QCOMPARE(dialogs_->messages, QStringList{"ファイルエラーです。"});
    QCOMPARE(dialogs_->message_files, QStringList{fixture_->folder.filePath("gone/x.asc")});
    // A failed export once made the next dialog open, and hang, in its folder.
    QCOMPARE(dialogs_->remembered_files.size(), 4);  // the open and three exports
    QFile ascii(grid), geotiff(tiff), typed(typed_asc);
    QVERIFY(ascii.open(QIODevice::ReadOnly) && geotiff.open(QIODevice::ReadOnly) && typed.open(QIODevice::ReadOnly));
    const QByteArray text = ascii.readAll();
    QVERIFY(text.startsWith("ncols 200"));
    QCOMPARE(text.count("1234.5"), 1);
    QCOMPARE(geotiff.read(4), QByteArray("II*\0", 4));
    QCOMPARE(typed.readAll(), text);
    QVERIFY(fixture_->SaveEnabled());
  }

  void recentFilesListTheLastMeshesOpenedAndForgetOneThatHasGone() {
    QStringList opened;
    for (int i = 0; i < 9; ++i) {
      opened.prepend(fixture_->CopyOfSample(QStringLiteral("mesh%1.mem").arg(i)));
      fixture_->Open(opened.first());
    }
    QCOMPARE(RecentFiles(), opened.mid(0, 8));
    fixture_->StartWindow();
    QCOMPARE(RecentFiles(), opened.mid(0, 8));

    Find<QMenu>(design_name::recentFilesMenu)->actions().at(2)->trigger();
    QCOMPARE(QString::fromStdString(Window()->Mesh().MeshFileName), opened.at(2));
    QCOMPARE(RecentFiles().first(), opened.at(2));
    QFile::remove(opened.at(5));
    Find<QMenu>(design_name::recentFilesMenu)->actions().at(5)->trigger();
    QCOMPARE(dialogs_->messages, QStringList{"ファイルが見つかりません。"});
    QVERIFY(!RecentFiles().contains(opened.at(5)));
    QCOMPARE(RecentFiles().size(), 7);
    // A relative name once stored as it was typed failed from any other folder.
    const QString current = QDir::currentPath();
    QDir::setCurrent(fixture_->folder.path());
    fixture_->Open("mesh1.mem");
    QDir::setCurrent(current);
    QCOMPARE(RecentFiles().first(), opened.at(7));
  }

  void droppingAMeshOpensItAndATrackLoadsOntoIt() {
    fixture_->Open(fixture_->CopyOfSample("first.mem"));
    QTest::keyClicks(Find(design_name::commentEdit), "x");
    const QString dropped = fixture_->CopyOfSample("dropped.mem");
    dialogs_->save_changes_answers.push_back(SaveChoice::Discard);
    Drop(dropped);
    QCOMPARE(dialogs_->save_changes_questions, 1);
    QCOMPARE(QString::fromStdString(Window()->Mesh().MeshFileName), dropped);
    Drop(fixture_->WriteFile("walk.trk", "H  R DATUM\r\nM  G TOKYO\r\nU  LAT LON DM\r\n"
                                         "T  N3545.00000 E13937.50000\r\nT  N3543.00000 E13941.25000\r\n"));
    QCOMPARE(Window()->Tracks().TrackN(), 1);
    Drop(fixture_->WriteFile("walk.gpx", "<gpx version='1.1' xmlns='http://www.topografix.com/GPX/1/1'><trk><trkseg>"
                                         "<trkpt lat='35.75' lon='139.62'/><trkpt lat='35.72' lon='139.69'/>"
                                         "</trkseg></trk></gpx>"));
    QCOMPARE(Window()->Tracks().TrackN(), 2);
    QVERIFY(dialogs_->messages.isEmpty());
  }

  void qtsOwnDialogsSpeakJapanese() {
    QtDialogs dialogs;
    dialogs.SetParent(Window());
    QStringList buttons;
    WhenShown<QMessageBox>([&buttons](QMessageBox& box) {
      for (QAbstractButton* button : box.buttons()) buttons << button->text().remove('&');
      box.button(QMessageBox::Cancel)->click();
    });
    QCOMPARE(dialogs.AskToSaveChanges(), SaveChoice::Cancel);
    buttons.sort();
    QCOMPARE(buttons, QStringList({"キャンセル", "保存", "変更を破棄"}));
  }

  void theOpenDialogTakesATypedNameOfAMissingFile() {
    QtDialogs dialogs;
    dialogs.SetParent(Window());
    const QString missing = fixture_->folder.filePath("absent.mem");
    WhenShown<QFileDialog>([&missing](QFileDialog& dialog) {
      dialog.findChild<QLineEdit*>("fileNameEdit")->setText(missing);
      QMetaObject::invokeMethod(&dialog, "accept");
    });
    const std::optional<OpenChoice> choice = dialogs.OpenFile("開く", {"50Mﾒｯｼｭﾌｧｲﾙ (*.mem)"}, true);
    QVERIFY(choice);
    QCOMPARE(choice->path, missing);
  }
};

}  // namespace koravel

QTEST_MAIN(koravel::MainWindowTest)
#include "main_window_test.moc"
