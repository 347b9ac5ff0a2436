#include "ui/app/japanese_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>

namespace koravel {

void InstallJapaneseTranslation(QCoreApplication& application) {
  const QLocale japanese(QLocale::Japanese, QLocale::Japan);
  QLocale::setDefault(japanese);
  auto* translator = new QTranslator(&application);
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (translator->load(japanese, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
    QCoreApplication::installTranslator(translator);
    return;
  }
  delete translator;
  std::fprintf(stderr,
               "koravel: Qt's Japanese translation (qtbase_ja.qm) is not in %s; Qt's own dialogs "
               "stay in English. Debian's qt6-translations-l10n package installs it.\n",
               qPrintable(folder));
}

}  // namespace koravel
