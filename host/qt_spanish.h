// Qt's own texts in Spanish: the line edit's context menu, the standard buttons and dialogs,
// the key names of shortcuts in menus ("Mayús"), through Qt's Spanish translations (Debian's
// qt6-translations-l10n).
#pragma once

class QCoreApplication;

namespace mundor::host {

// Installs Qt's Spanish translations on `application`. False, after a warning on Qt's log, when
// they are not installed: Qt's texts then stay in English.
bool InstallQtSpanish(QCoreApplication& application);

}  // namespace mundor::host
