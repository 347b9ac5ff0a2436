#pragma once

#include <QColor>
#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "scripted_dialogs.h"
#include "ui/app/frm_main.h"

namespace koravel::test {

/// A main window with scripted dialogs, its own settings and a scratch
/// folder, and ways to reach its controls by name.
class WindowFixture {
 public:
  WindowFixture();

  ScriptedDialogs dialogs;
  std::unique_ptr<frmMain> window;
  QTemporaryDir folder;

  /// Creates, shows and activates a new main window.
  void StartWindow();

  template <typename Widget = QWidget>
  Widget* Find(const QString& name) const {
    auto* widget = window->findChild<Widget*>(name);
    if (!widget) qFatal("no control named %s", qPrintable(name));
    return widget;
  }

  QString Panel(int number) const;
  bool SaveEnabled() const;
  /// A writable copy of the sample mesh in the scratch folder.
  QString CopyOfSample(const QString& name) const;
  QString WriteFile(const QString& name, const QByteArray& contents) const;
  /// File > Open, with the dialog answering `path`.
  void Open(const QString& path, bool read_only = false);
  /// The colour the scale gives cell (x, y) of the document.
  QColor ScaleColor(int x, int y) const;
  /// The device point at the centre of detail-view cell (column, row).
  static QPoint DetailCellCentre(int column, int row);
  /// The cursor cell, as grid column and row.
  QPoint Cursor() const;
  /// Types `text` over the whole content of the field named `name`.
  void Type(const QString& name, const QString& text) const;
  /// Types `text` into the elevation field and presses Enter.
  void Enter(const QString& text) const;
  /// The pointer moves over the detail view to `to` with `buttons` held.
  void Drag(Qt::MouseButtons buttons, QPoint to) const;
  /// Brush mode with `value` in the brush field, and one stroke from the
  /// first detail-view cell through the others, released on the last.
  void Stroke(const QString& value, const QList<QPoint>& cells) const;
};

}  // namespace koravel::test
