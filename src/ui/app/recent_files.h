#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QMenu;

namespace koravel {

/// ファイル > 最近使ったファイル: the meshes opened last, newest first, kept in
/// the settings beside the window geometry.
class RecentFiles : public QObject {
  Q_OBJECT

 public:
  static constexpr int kCapacity = 8;

  explicit RecentFiles(QMenu& menu);

  /// Puts `path` at the top of the list.
  void Add(const QString& name);
  /// Takes `path` off the list.
  void Remove(const QString& path);

 signals:
  /// The user chose `path` from the menu.
  void Chosen(const QString& path);

 private:
  void Store() const;
  void ShowInMenu();

  QMenu& menu_;
  QStringList paths_;
};

}  // namespace koravel
