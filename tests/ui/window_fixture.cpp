#include "window_fixture.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QSettings>
#include <QtTest>

#include "app/qt_bridge.h"
#include "views/map_geometry.h"

namespace koravel::test {

WindowFixture::WindowFixture() {
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.filePath("settings"));
  QSettings("Koravel", "Koravel").clear();
  StartWindow();
}

void WindowFixture::StartWindow() {
  window = std::make_unique<frmMain>(dialogs);
  window->show();
  window->activateWindow();
  if (!QTest::qWaitForWindowActive(window.get())) qFatal("the main window did not become active");
}

QString WindowFixture::Panel(int number) const {
  return Find<QLabel>(QStringLiteral("sbStatusBarPanel%1").arg(number))->text();
}

bool WindowFixture::SaveEnabled() const {
  return Find<QAction>("mnuFileSave")->isEnabled() && Find<QAction>("tbToolBarButton3")->isEnabled();
}

QString WindowFixture::CopyOfSample(const QString& name) const {
  const QString path = folder.filePath(name);
  QFile::remove(path);
  QFile::copy(KORAVEL_SAMPLE_MESH, path);
  QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
  return path;
}

QString WindowFixture::WriteFile(const QString& name, const QByteArray& contents) const {
  const QString path = folder.filePath(name);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
  file.write(contents);
  return path;
}

void WindowFixture::Open(const QString& path, bool read_only) {
  dialogs.open_answers.push_back(OpenChoice{path, read_only});
  Find<QAction>("mnuFileOpen")->trigger();
}

QColor WindowFixture::ScaleColor(int x, int y) const {
  const RgbColor color = window->Scale().ElevationColor(window->Document().Elevation(x, y));
  return QColor(color.Red, color.Green, color.Blue);
}

QPoint WindowFixture::DetailCellCentre(int column, int row) {
  return QPoint((column * kDetailCellWidth + kDetailCellWidth / 2) / kTwipsPerPixel,
                (row * kDetailCellHeight + kDetailCellHeight / 2) / kTwipsPerPixel);
}

}  // namespace koravel::test
