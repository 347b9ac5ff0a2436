#include "ui/app/recent_files.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QSettings>

namespace koravel {
namespace {

constexpr char kKey[] = "Settings/RecentFiles";

QSettings Settings() { return QSettings("Koravel", "Koravel"); }

}  // namespace

RecentFiles::RecentFiles(QMenu& menu) : menu_(menu) {
  paths_ = Settings().value(kKey).toStringList().mid(0, kCapacity);
  ShowInMenu();
}

void RecentFiles::Add(const QString& path) {
  paths_.removeAll(path);
  paths_.prepend(path);
  paths_ = paths_.mid(0, kCapacity);
  Store();
  ShowInMenu();
}

void RecentFiles::Remove(const QString& path) {
  paths_.removeAll(path);
  Store();
  ShowInMenu();
}

void RecentFiles::Store() const { Settings().setValue(kKey, paths_); }

// Items are numbered for their access keys, as desktop editors do. The old
// items go later, since one of them may be the item being chosen.
void RecentFiles::ShowInMenu() {
  for (QAction* item : menu_.actions()) {
    menu_.removeAction(item);
    item->deleteLater();
  }
  for (int i = 0; i < paths_.size(); ++i) {
    const QString path = paths_.at(i);
    QAction* item = menu_.addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)));
    connect(item, &QAction::triggered, this, [this, path] { emit Chosen(path); });
  }
  menu_.setEnabled(!paths_.isEmpty());
}

}  // namespace koravel
