#include "ui/common/status_panels.h"

#include <QDateTime>
#include <QLocale>
#include <QStatusBar>

namespace koravel {

StatusPanels::StatusPanels(QStatusBar& bar) {
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    panels_[i] = new QLabel(&bar);
    panels_[i]->setObjectName(QStringLiteral("sbStatusBarPanel%1").arg(i + 1));
  }
  for (Panel panel : {kMode, kRecordPosition, kPosition, kSelection, kDate, kTime}) {
    bar.addWidget(panels_[panel - 1], panel == kPosition ? 1 : 0);
  }
  ShowClock();
  QObject::connect(&clock_, &QTimer::timeout, [this] { ShowClock(); });
  clock_.start(1000);
}

void StatusPanels::SetText(Panel panel, const QString& text) { panels_[panel - 1]->setText(text); }

void StatusPanels::ShowClock() {
  const QDateTime now = QDateTime::currentDateTime();
  const QLocale japanese(QLocale::Japanese, QLocale::Japan);
  SetText(kDate, japanese.toString(now.date(), QLocale::ShortFormat));
  SetText(kTime, japanese.toString(now.time(), QLocale::ShortFormat));
}

}  // namespace koravel
