// User stories of the legend panel, the track overlay and the About box.

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QtTest>

#include "views/picture.h"
#include "window_fixture.h"

namespace koravel {

class LegendTracksAboutTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::WindowFixture> fixture_;

  template <typename Widget = QWidget>
  Widget* Find(const QString& name) { return fixture_->Find<Widget>(name); }
  const ElevationScale& Scale() { return fixture_->window->Scale(); }
  QLineEdit* Level(int index) { return Find<QLineEdit>(QStringLiteral("Text3(%1)").arg(index)); }

  void EnterLevel(int index, const QString& text) {
    Level(index)->setFocus();
    Level(index)->selectAll();
    QTest::keyClicks(Level(index), text);
    QTest::keyClick(Level(index), Qt::Key_Return);
  }

  // A track from the north-west corner of cell (1, 1) to the south-east
  // corner of cell (100, 80), in degrees and decimal minutes as GPS tools write.
  QString TrackFile(const QByteArray& datum) {
    return fixture_->WriteFile("track.trk", "H  SOFTWARE NAME & VERSION\r\nI  PCX5 2.09\r\n\r\n"
                                            "H  R DATUM\r\nM  " + datum + "\r\n\r\nH  COORDINATE SYSTEM\r\n"
                                            "U  LAT LON DM\r\n\r\n"
                                            "H  LATITUDE    LONGITUDE    DATE      TIME     ALT\r\n"
                                            "T  N3545.00000 E13937.50000 15-NOV-23 00:00:00 30\r\n"
                                            "T  N3543.00000 E13941.25000 15-NOV-23 00:01:00 40\r\n");
  }

  void LoadTrack(const QString& path) {
    fixture_->dialogs.open_answers.push_back(OpenChoice{path, false});
    Find<QAction>("mnuToolsTruckOpen")->trigger();
  }

  // A point on the track's line in the overview, away from the cell corners.
  QColor OverviewOnTrack() { return Find<Picture>("Picture1")->ColorAt(500, 320); }

 private slots:
  void init() {
    fixture_ = std::make_unique<test::WindowFixture>();
    fixture_->Open(fixture_->CopyOfSample("sample.mem"));
  }

  void cleanup() { fixture_.reset(); }

  void presetsSetTheLevelsAndRedrawTheMaps() {
    const MeshDocument& document = fixture_->window->Document();
    QCOMPARE(document.MinElevation, 0);
    QCOMPARE(document.MaxElevation, 14872);
    QTest::mouseClick(Find("Command1(1)"), Qt::LeftButton);  // 1487.2 m / 15 rounds to 99 m
    const double low = 0;
    QCOMPARE(Level(1)->text(), QString("99"));
    QCOMPARE(Level(14)->text(), QString("1386"));
    QCOMPARE(Find<Picture>("Picture1")->ColorAt(995, 797), fixture_->ScaleColor(100, 100));
    QTest::mouseClick(Find("Command1(2)"), Qt::LeftButton);
    QCOMPARE(Scale().ScaleLevels[14], low + 14);
    QCOMPARE(Find<Picture>("Picture2")->ColorAt(2550, 2040), fixture_->ScaleColor(26, 26));
    QTest::mouseClick(Find("Command1(0)"), Qt::LeftButton);
    QCOMPARE(Level(14)->text(), QString("3000"));
  }

  void aLevelIsAcceptedOnlyBetweenItsNeighbours() {
    EnterLevel(5, "250");
    QCOMPARE(Scale().ScaleLevels[5], 250.0);
    QCOMPARE(Level(5)->text(), QString("250"));
    EnterLevel(5, "0450");
    QCOMPARE(Scale().ScaleLevels[5], 250.0);
    QCOMPARE(Level(5)->text(), QString("250"));
    EnterLevel(5, "abc");
    QCOMPARE(Level(5)->text(), QString("250"));
    EnterLevel(5, "0200");
    QCOMPARE(Scale().ScaleLevels[5], 200.0);
    QCOMPARE(Level(5)->text(), QString("0200"));
    Level(6)->setFocus();
    QCOMPARE(Level(5)->text(), QString("200"));
  }

  void openingAMenuKeepsATypedLevel() {
    Level(3)->setFocus();
    QTest::keyClicks(Level(3), "7");
    QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(Level(3), &popup);
    QCOMPARE(Level(3)->text(), QString("1007"));
  }

  void anEntryWithoutEnterIsDiscarded() {
    Level(3)->setFocus();
    QTest::keyClicks(Level(3), "7");
    Level(4)->setFocus();
    QCOMPARE(Level(3)->text(), QString("100"));
    QCOMPARE(Scale().ScaleLevels[3], 100.0);
  }

  void clickingASwatchChoosesItsColour() {
    fixture_->dialogs.color_answers = {QColor(1, 2, 3), std::nullopt};
    QTest::mouseClick(Find("Picture3"), Qt::LeftButton, {}, QPoint(8, 246));
    QCOMPARE(fixture_->dialogs.titles.last(), QString("標高色の設定"));
    QCOMPARE(Scale().ScaleColors[0], (RgbColor{1, 2, 3}));
    QCOMPARE(Find<Picture>("Picture3")->ColorAt(120, 3700), QColor(1, 2, 3));
    QTest::mouseClick(Find("Picture3"), Qt::LeftButton, {}, QPoint(8, 1));
    QCOMPARE(Scale().ScaleColors[15], (RgbColor{180, 180, 150}));  // cancelled
  }

  void aTrackLoadsOverBothMapsAndCanBeHiddenAndCleared() {
    LoadTrack(TrackFile("G TOKYO"));
    QVERIFY(fixture_->dialogs.messages.isEmpty());
    QCOMPARE(fixture_->dialogs.titles.last(), QString("ﾄﾗｯｸ開く"));
    QCOMPARE(fixture_->dialogs.read_only_offered.last(), false);
    QCOMPARE(fixture_->window->Tracks().TrackN(), 1);
    QCOMPARE(OverviewOnTrack(), QColor(Qt::white));
    QCOMPARE(Find<Picture>("Picture2")->ColorAt(1000, 640), QColor(Qt::white));

    Find<QAction>("mnuToolsTruckNoDraw")->trigger();
    QVERIFY(Find<QAction>("mnuToolsTruckNoDraw")->isChecked());
    QVERIFY(!Find<QAction>("mnuToolsTruckDraw")->isChecked());
    QVERIFY(OverviewOnTrack() != QColor(Qt::white));
    Find<QAction>("mnuToolsTruckDraw")->trigger();
    QCOMPARE(OverviewOnTrack(), QColor(Qt::white));

    Find<QAction>("mnuToolsTruckClear")->trigger();
    QCOMPARE(fixture_->window->Tracks().TrackN(), 0);
    QVERIFY(OverviewOnTrack() != QColor(Qt::white));
  }

  void aTrackOnAnotherDatumLoadsWithAWarning() {
    LoadTrack(TrackFile("G NAD27"));
    QCOMPARE(fixture_->dialogs.messages, QStringList{"このファイルは測地系が異なるため若干位置がずれます。"});
    QCOMPARE(fixture_->window->Tracks().TrackN(), 1);
  }

  void aFileThatIsNoTrackSaysSo() {
    LoadTrack(fixture_->WriteFile("bad.trk", "T  N3545.00000 E13937.50000\r\n"));
    QCOMPARE(fixture_->dialogs.messages, QStringList{"このファイルはトラックファイルではありません。"});
    QCOMPARE(fixture_->window->Tracks().TrackN(), 0);
  }

  void openingAMeshDropsTheTracks() {
    LoadTrack(TrackFile("G TOKYO"));
    fixture_->Open(fixture_->CopyOfSample("again.mem"));
    QCOMPARE(fixture_->window->Tracks().TrackN(), 0);
    QVERIFY(OverviewOnTrack() != QColor(Qt::white));
  }

  void theAboutBoxShowsTitleVersionAndDescription() {
    QStringList shown;
    fixture_->dialogs.on_modal = [&shown](QDialog& about) {
      shown << about.windowTitle();
      for (const char* name : {"lblTitle", "lblVersion", "lblDescription"}) {
        shown << about.findChild<QLabel*>(name)->text();
      }
      shown << about.findChild<QPushButton*>("cmdOK")->text();
    };
    Find<QAction>("mnuHelpAbout")->trigger();
    QCOMPARE(shown, QStringList({"ﾊﾞｰｼﾞｮﾝ情報 Koravel50", "Koravel", "ﾊﾞｰｼﾞｮﾝ 1.0.0",
                                 "国土地理院の数値地図50mメッシュ(標高)を編集できます。"
                                 "また、GPSトラックを参照することができます。",
                                 "OK"}));
  }

  void theSystemInformationButtonStartsTheFirstToolOnThePath() {
    const QByteArray path = qgetenv("PATH");
    const QString marker = fixture_->folder.filePath("started");
    const QString tool = fixture_->WriteFile("hardinfo", "#!/bin/sh\n/usr/bin/touch '" + marker.toUtf8() + "'\n");
    QFile::setPermissions(tool, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    fixture_->dialogs.on_modal = [](QDialog& about) {
      about.findChild<QPushButton*>("cmdSysInfo")->click();
    };
    const auto restore_path = qScopeGuard([&path] { qputenv("PATH", path); });
    qputenv("PATH", QFile::encodeName(fixture_->folder.path()));
    Find<QAction>("mnuHelpAbout")->trigger();
    QTRY_VERIFY(QFile::exists(marker));
    qputenv("PATH", QFile::encodeName(fixture_->folder.filePath("empty")));
    Find<QAction>("mnuHelpAbout")->trigger();
    QCOMPARE(fixture_->dialogs.messages, QStringList{"現時点ではｼｽﾃﾑ情報を使用できません"});
  }
};

}  // namespace koravel

QTEST_MAIN(koravel::LegendTracksAboutTest)
#include "legend_tracks_about_test.moc"
