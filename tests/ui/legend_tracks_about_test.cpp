// User stories of the legend panel, the track overlay and the About box.

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QScopeGuard>
#include <QtTest>

#include "ui/app/design_names.h"
#include "ui/views/picture.h"
#include "window_fixture.h"

namespace koravel {

class LegendTracksAboutTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::WindowFixture> fixture_;

  template <typename Widget = QWidget>
  Widget* Find(const QString& name) { return fixture_->Find<Widget>(name); }
  const ElevationScale& Scale() { return fixture_->window->Scale(); }
  QLineEdit* Level(int index) { return Find<QLineEdit>(design_name::Item(design_name::levelEdits, index)); }

  void EnterLevel(int index, const QString& text) {
    Level(index)->setFocus();
    Level(index)->selectAll();
    QTest::keyClicks(Level(index), text);
    QTest::keyClick(Level(index), Qt::Key_Return);
  }

  // A track from the north-west corner of cell (1, 1) to the south-east
  // corner of cell (100, 80), in degrees and decimal minutes as GPS tools write.
  QString TrackFile(const QByteArray& datum) {
    return fixture_->WriteFile("track.trk", "M  " + datum + "\r\nU  LAT LON DM\r\n"
                                            "T  N3545.00000 E13937.50000 15-NOV-23 00:00:00 30\r\n"
                                            "T  N3543.00000 E13941.25000 15-NOV-23 00:01:00 40\r\n");
  }

  void LoadTrack(const QString& path) {
    fixture_->dialogs.open_answers.push_back(OpenChoice{path, false});
    Find<QAction>(design_name::trackOpenAction)->trigger();
  }

  // A point on the track's line in the overview, away from the cell corners.
  QColor OverviewOnTrack() { return Find<Picture>(design_name::overviewMap)->ColorAt(500, 320); }

 private slots:
  void init() {
    fixture_ = std::make_unique<test::WindowFixture>();
    fixture_->Open(fixture_->CopyOfSample("sample.mem"));
  }

  void cleanup() { fixture_.reset(); }

  void presetsSetTheLevelsAndRedrawTheMaps() {
    const MeshDocument& document = fixture_->window->Mesh();
    QCOMPARE(document.MinElevation, 0);
    QCOMPARE(document.MaxElevation, 14872);
    QTest::mouseClick(Find(design_name::Item(design_name::presetButtons, 1)), Qt::LeftButton);  // 1487.2 m / 15 rounds to 99 m
    QCOMPARE(Level(1)->text(), QString("99"));
    QCOMPARE(Level(14)->text(), QString("1386"));
    QCOMPARE(Find<Picture>(design_name::overviewMap)->ColorAt(995, 797), fixture_->ScaleColor(100, 100));
    QTest::mouseClick(Find(design_name::Item(design_name::presetButtons, 2)), Qt::LeftButton);
    QCOMPARE(Scale().ScaleLevels[14], 14.0);
    QCOMPARE(Find<Picture>(design_name::detailMap)->ColorAt(2550, 2040), fixture_->ScaleColor(26, 26));
    QTest::mouseClick(Find(design_name::Item(design_name::presetButtons, 0)), Qt::LeftButton);
    QCOMPARE(Level(14)->text(), QString("3000"));
  }

  void aLevelIsAcceptedOnlyBetweenItsNeighbours() {
    EnterLevel(5, "250");
    QCOMPARE(Scale().ScaleLevels[5], 250.0);
    QCOMPARE(Level(5)->text(), QString("250"));
    EnterLevel(5, "0450");
    QCOMPARE(Level(5)->text(), QString("250"));
    EnterLevel(5, "abc");  // once refused without a word
    QCOMPARE(fixture_->dialogs.messages, QStringList(2, "境界の標高は200m～400mの範囲で入力して下さい。"));
    EnterLevel(5, "0200");
    QCOMPARE(Scale().ScaleLevels[5], 200.0);
    QCOMPARE(Level(5)->text(), QString("0200"));
    Level(6)->setFocus();
    QCOMPARE(Level(5)->text(), QString("200"));
  }

  // A walk recorded elsewhere once loaded without a word and drew nothing;
  // an empty file loaded as an empty track.
  void aTrackThatMissesTheMeshOrIsNoTrackSaysSo() {
    LoadTrack(fixture_->WriteFile("north.trk", "U  LAT LON DM\r\nT  N3645.00000 E13937.50000\r\n"
                                               "T  N3643.00000 E13941.25000\r\n"));
    QCOMPARE(fixture_->dialogs.filters.at(1), QString("ﾄﾗｯｸﾌｧｲﾙ (*.trk *.gpx)"));  // after the mesh dialog's one
    LoadTrack(fixture_->WriteFile("empty.trk", ""));
    QCOMPARE(fixture_->dialogs.messages, QStringList({"トラックにはメッシュの範囲内の点がありません。",
                                                      "このファイルはトラックファイルではありません。"}));
    QCOMPARE(fixture_->dialogs.message_files.last(), fixture_->folder.filePath("empty.trk"));
  }

  // The walk of the sample GPX, joined into one line, in the panel.
  void theProfilePanelShowsTheWalksHeightsAndFigures() {
    LoadTrack(QStringLiteral(KORAVEL_SAMPLE_GPX));
    Find<QAction>(design_name::profileAction)->trigger();
    auto* source = fixture_->window->findChild<QComboBox*>("cboProfileSource");
    source->setCurrentIndex(1);
    const QString figures = fixture_->window->findChild<QLabel*>("lblFigures")->text();
    QVERIFY2(figures.startsWith("長さ 20.38 km"), qPrintable(figures));  // the two pieces and the gap between
    QVERIFY2(figures.contains("最高 1487.0 m（8.50 km）"), qPrintable(figures));
    QVERIFY2(figures.contains("GPS − メッシュ 平均"), qPrintable(figures));
    fixture_->dialogs.save_answers = {fixture_->folder.filePath("walk.csv")};
    QTest::mouseClick(fixture_->window->findChild<QPushButton*>("cmdSaveProfileCsv"), Qt::LeftButton);
    QFile csv(fixture_->folder.filePath("walk.csv"));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    QCOMPARE(csv.readLine(), QByteArray("distance_m,latitude,longitude,mesh_m,gps_m\n"));
    Find<QAction>(design_name::profileLineAction)->trigger();  // a line drawn now shows instead of the walk
    QTest::mouseClick(Find(design_name::detailMap), Qt::LeftButton, {}, test::WindowFixture::DetailCellCentre(2, 2));
    QTest::mouseClick(Find(design_name::detailMap), Qt::LeftButton, {}, test::WindowFixture::DetailCellCentre(20, 2));
    QTest::mouseDClick(Find(design_name::detailMap), Qt::LeftButton, {}, test::WindowFixture::DetailCellCentre(20, 2));
    QCOMPARE(source->currentIndex(), 2);
  }

  void clickingASwatchChoosesItsColour() {
    fixture_->dialogs.color_answers = {QColor(1, 2, 3), std::nullopt};
    QTest::mouseClick(Find(design_name::legendSwatches), Qt::LeftButton, {}, QPoint(8, 246));
    QCOMPARE(fixture_->dialogs.titles.last(), QString("標高色の設定"));
    QCOMPARE(Scale().ScaleColors[0], (RgbColor{1, 2, 3}));
    QCOMPARE(Find<Picture>(design_name::legendSwatches)->ColorAt(120, 3700), QColor(1, 2, 3));
    QTest::mouseClick(Find(design_name::legendSwatches), Qt::LeftButton, {}, QPoint(8, 1));
    QCOMPARE(Scale().ScaleColors[15], (RgbColor{180, 180, 150}));  // cancelled
  }

  void aTrackLoadsOverBothMapsAndCanBeHiddenAndClearedAndANewMeshDropsIt() {
    LoadTrack(TrackFile("G TOKYO"));
    QVERIFY(fixture_->dialogs.messages.isEmpty());
    QCOMPARE(fixture_->dialogs.titles.last(), QString("ﾄﾗｯｸ開く"));
    QCOMPARE(fixture_->dialogs.read_only_offered.last(), false);
    QCOMPARE(fixture_->window->Tracks().TrackN(), 1);
    QCOMPARE(OverviewOnTrack(), QColor(Qt::white));
    QCOMPARE(Find<Picture>(design_name::detailMap)->ColorAt(1000, 640), QColor(Qt::white));

    Find<QAction>(design_name::trackHideAction)->trigger();
    QVERIFY(Find<QAction>(design_name::trackHideAction)->isChecked());
    QVERIFY(!Find<QAction>(design_name::trackShowAction)->isChecked());
    QVERIFY(OverviewOnTrack() != QColor(Qt::white));
    Find<QAction>(design_name::trackShowAction)->trigger();
    QCOMPARE(OverviewOnTrack(), QColor(Qt::white));

    Find<QAction>(design_name::trackClearAction)->trigger();
    QCOMPARE(fixture_->window->Tracks().TrackN(), 0);
    QVERIFY(OverviewOnTrack() != QColor(Qt::white));

    LoadTrack(TrackFile("G TOKYO"));
    fixture_->Open(fixture_->CopyOfSample("again.mem"));
    QCOMPARE(fixture_->window->Tracks().TrackN(), 0);  // a new mesh starts without tracks
    QVERIFY(OverviewOnTrack() != QColor(Qt::white));
  }

  // The version is the project's one version.
  void theAboutBoxShowsTheProjectsVersion() {
    QString version;
    fixture_->dialogs.on_modal = [&version](QDialog& about) { version = about.findChild<QLabel*>("lblVersion")->text(); };
    Find<QAction>(design_name::aboutAction)->trigger();
    QCOMPARE(version, QString("ﾊﾞｰｼﾞｮﾝ " KORAVEL_VERSION));
  }

  // The button once only said that no information was available.
  void theSystemInformationNamesTheLibrariesAndTheSettingsFile() {
    QString report;
    fixture_->dialogs.on_modal = [&report](QDialog& dialog) {
      if (dialog.objectName() == "frmAbout") return dialog.findChild<QPushButton*>("cmdSysInfo")->click();
      report = dialog.findChild<QPlainTextEdit*>("txtSysInfo")->toPlainText();
    };
    Find<QAction>(design_name::aboutAction)->trigger();
    // The versions of the packages the program was built against.
    for (const QString& line : {QString("Koravel " KORAVEL_VERSION), QString("PROJ " KORAVEL_PROJ_VERSION),
                                QString("libtiff " KORAVEL_TIFF_VERSION),
                                QString("設定ファイル: ") + QSettings("Koravel", "Koravel").fileName()}) {
      QVERIFY2(report.split('\n').contains(line), qPrintable(line + " in " + report));
    }
    QVERIFY(report.contains("測地系の変換: WGS 84 to Tokyo by"));
  }
};

}  // namespace koravel

QTEST_MAIN(koravel::LegendTracksAboutTest)
#include "legend_tracks_about_test.moc"
