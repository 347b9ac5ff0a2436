#include "window_fixture.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QToolButton>
#include <QtTest>

#include "core/views/map_geometry.h"
#include "ui/app/design_names.h"
#include "ui/common/qt_bridge.h"

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
  return Find<QAction>(design_name::saveAction)->isEnabled() && Find<QToolButton>(design_name::saveButton)->isEnabled();
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
  Find<QAction>(design_name::openAction)->trigger();
}

QColor WindowFixture::ScaleColor(int x, int y) const {
  const RgbColor color = window->Scale().ElevationColor(window->Mesh().Elevation(x, y));
  return QColor(color.Red, color.Green, color.Blue);
}

QPoint WindowFixture::DetailCellCentre(int column, int row) {
  return QPoint((column * kDetailCellWidth + kDetailCellWidth / 2) / kTwipsPerPixel,
                (row * kDetailCellHeight + kDetailCellHeight / 2) / kTwipsPerPixel);
}

QPoint WindowFixture::Cursor() const { return {window->View().MapX, window->View().MapY}; }

void WindowFixture::Type(const QString& name, const QString& text) const {
  auto* field = Find<QLineEdit>(name);
  field->setFocus();
  field->selectAll();
  if (text.isEmpty()) QTest::keyClick(field, Qt::Key_Backspace);
  QTest::keyClicks(field, text);
}

void WindowFixture::Enter(const QString& text) const {
  Type(design_name::elevationEdit, text);
  QTest::keyClick(Find(design_name::elevationEdit), Qt::Key_Return);
}

void WindowFixture::Drag(Qt::MouseButtons buttons, QPoint to) const {
  QWidget* detail = Find(design_name::detailMap);
  QMouseEvent move(QEvent::MouseMove, to, detail->mapToGlobal(to), Qt::NoButton, buttons, {});
  QApplication::sendEvent(detail, &move);
}

void WindowFixture::Stroke(const QString& value, const QList<QPoint>& cells) const {
  Find<QAction>(design_name::brushModeAction)->trigger();
  Type(design_name::brushEdit, value);
  QWidget* detail = Find(design_name::detailMap);
  QTest::mousePress(detail, Qt::LeftButton, {}, DetailCellCentre(cells.first().x(), cells.first().y()));
  for (const QPoint& cell : cells.mid(1)) Drag(Qt::LeftButton, DetailCellCentre(cell.x(), cell.y()));
  QTest::mouseRelease(detail, Qt::LeftButton, {}, DetailCellCentre(cells.last().x(), cells.last().y()));
}

}  // namespace koravel::test
