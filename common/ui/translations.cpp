#include "ui/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace zt {

namespace {
// "qt_ja" only points at these; loading them one by one does not depend on the
// meta catalogue's dependency list being next to it.
const char *const catalogues[] = {"qtbase", "qtserialport"};
} // namespace

QStringList translationFolders()
{
    QStringList folders;
    if (QCoreApplication::instance())
        folders << QCoreApplication::applicationDirPath() + QStringLiteral("/translations");
    folders << QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    folders << QStringLiteral("/usr/share/qt6/translations");
    folders.removeDuplicates();
    return folders;
}

QStringList installJapaneseTranslations(QCoreApplication &app, const QStringList &folders)
{
    QStringList loaded;
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    for (const char *name : catalogues) {
        for (const QString &folder : folders) {
            auto translator = new QTranslator(&app);
            if (translator->load(japanese, QString::fromLatin1(name), QStringLiteral("_"),
                                 folder)) {
                app.installTranslator(translator);
                loaded << translator->filePath();
                break;
            }
            delete translator;
        }
    }
    return loaded;
}

} // namespace zt
