// koravel: the desktop editor. `koravel [FILE.mem [FILE.trk]]` opens the mesh
// and then loads the track at start.

#include <QApplication>
#include <QIcon>
#include <QStringList>

#include "ui/app/frm_main.h"
#include "ui/app/japanese_translation.h"
#include "ui/common/qt_dialogs.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setOrganizationName("Koravel");
  QApplication::setApplicationName("Koravel");
  koravel::InstallJapaneseTranslation(application);
  // The installed theme icon wins; the built-in copy serves a build-tree run.
  QApplication::setWindowIcon(QIcon::fromTheme("koravel", QIcon(":/koravel.svg")));
  QApplication::setDesktopFileName("example.koravel.koravel");
  koravel::QtDialogs dialogs;
  koravel::frmMain window(dialogs);
  dialogs.SetParent(&window);
  window.show();
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() > 1) window.OpenFile(arguments.at(1));
  if (arguments.size() > 2) window.LoadTrackFile(arguments.at(2));
  return QApplication::exec();
}
