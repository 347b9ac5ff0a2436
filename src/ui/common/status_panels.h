#pragma once

#include <QLabel>
#include <QString>
#include <QTimer>
#include <array>

class QStatusBar;

namespace koravel {

/// The panels of the status bar: edit mode, record position, latitude and
/// longitude, the number of cells chosen, and the date and time, which it
/// keeps current itself.
class StatusPanels {
 public:
  enum Panel { kMode = 1, kRecordPosition = 2, kPosition = 3, kDate = 4, kTime = 5, kSelection = 6 };

  explicit StatusPanels(QStatusBar& bar);

  void SetText(Panel panel, const QString& text);

 private:
  void ShowClock();

  std::array<QLabel*, 6> panels_{};
  QTimer clock_;
};

}  // namespace koravel
