#pragma once

#include <QString>
#include <QStringList>

class QCoreApplication;

namespace zt {

// Folders searched for Qt's own Japanese catalogues, in order: the program's own
// "translations" folder (installed copies), then Qt's translation folder.
QStringList translationFolders();

// Loads Qt's Japanese catalogues (file dialogs, standard buttons, colour dialog,
// context menus) into the application whatever the system locale is: the user
// interface is Japanese. Returns the catalogue files loaded; empty when none was found.
QStringList installJapaneseTranslations(QCoreApplication &app,
                                        const QStringList &folders = translationFolders());

} // namespace zt
