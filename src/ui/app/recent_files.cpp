#include "ui/app/recent_files.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QFileInfo>

#include "ui/common/settings.h"

namespace koravel {
RecentFiles::RecentFiles(QMenu& menu) : menu_(menu) {
  paths_ = Settings().RecentFiles().mid(0, kCapacity);
  ShowInMenu();
}

// Stored absolute, so that a file opened by a relative name opens again
// from anywhere.
void RecentFiles::Add(const QString& name) {
  const QString path = QFileInfo(name).absoluteFilePath();
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

void RecentFiles::Store() const { Settings().SetRecentFiles(paths_); }

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
