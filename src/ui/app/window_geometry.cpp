#include "ui/app/window_geometry.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QSettings>
#include <QWidget>

#include "ui/common/qt_bridge.h"

namespace koravel {
namespace {

constexpr int kDefaultLeft = 1000;
constexpr int kDefaultTop = 1000;
constexpr int kDefaultWidth = 9600;
constexpr int kDefaultHeight = 7900;

int Read(QSettings& settings, const char* key, int fallback) {
  bool is_number = false;
  const int twips = settings.value(key).toString().toInt(&is_number);
  return (is_number ? twips : fallback) / kTwipsPerPixel;
}

// A window is within reach when a screen shows a good part of its title bar.
bool WithinReach(const QRect& frame) {
  const QRect title_bar(frame.topLeft(), QSize(std::min(frame.width(), 200), 30));
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect overlap = screen->availableGeometry().intersected(title_bar);
    if (overlap.width() >= 50 && overlap.height() >= 10) return true;
  }
  return false;
}

void Open(QSettings& settings) { settings.beginGroup("Settings"); }

}  // namespace

void RestoreWindowGeometry(QWidget& window) {
  QSettings settings("Koravel", "Koravel");
  Open(settings);
  QRect frame(Read(settings, "MainLeft", kDefaultLeft), Read(settings, "MainTop", kDefaultTop),
              Read(settings, "MainWidth", kDefaultWidth), Read(settings, "MainHeight", kDefaultHeight));
  if (!WithinReach(frame)) {
    frame = QRect(kDefaultLeft / kTwipsPerPixel, kDefaultTop / kTwipsPerPixel,
                  kDefaultWidth / kTwipsPerPixel, kDefaultHeight / kTwipsPerPixel);
  }
  window.move(frame.topLeft());
  window.resize(frame.size());
}

void StoreWindowGeometry(const QWidget& window) {
  if (window.isMinimized()) return;
  QSettings settings("Koravel", "Koravel");
  Open(settings);
  settings.setValue("MainLeft", QString::number(window.x() * kTwipsPerPixel));
  settings.setValue("MainTop", QString::number(window.y() * kTwipsPerPixel));
  settings.setValue("MainWidth", QString::number(window.width() * kTwipsPerPixel));
  settings.setValue("MainHeight", QString::number(window.height() * kTwipsPerPixel));
}

}  // namespace koravel
