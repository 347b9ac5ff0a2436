#include "ui/app/window_geometry.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include "ui/common/qt_bridge.h"
#include "ui/common/settings.h"

namespace koravel {
namespace {

constexpr int kDefaultLeft = 1000;
constexpr int kDefaultTop = 1000;
constexpr int kDefaultWidth = 9600;
constexpr int kDefaultHeight = 7900;

int Read(const Settings& settings, const char* key, int fallback) {
  return settings.Twips(key).value_or(fallback) / kTwipsPerPixel;
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

}  // namespace

void RestoreWindowGeometry(QWidget& window) {
  const Settings settings;
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
  Settings settings;
  settings.SetTwips("MainLeft", window.x() * kTwipsPerPixel);
  settings.SetTwips("MainTop", window.y() * kTwipsPerPixel);
  settings.SetTwips("MainWidth", window.width() * kTwipsPerPixel);
  settings.SetTwips("MainHeight", window.height() * kTwipsPerPixel);
}

}  // namespace koravel
