#pragma once

class QCoreApplication;

namespace koravel {

/// Makes Qt's own dialogs and buttons speak Japanese, as the rest of the
/// window does, and dates take the Japanese form. Where Qt's translation is
/// not installed it says so on standard error and Qt's English stays.
void InstallJapaneseTranslation(QCoreApplication& application);

}  // namespace koravel
