#include "app/watchapp.h"
#include "options/watchsaves.h"
#include "platform/folders.h"
#include "ui/qtdialogservice.h"

#if __has_include("ui/translations.h")
#include "ui/translations.h"
#endif

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("watch"));
    // A second start brings the running monitor forward and touches nothing.
    if (zt::WatchApp::raiseRunningInstance())
        return 0;
#if __has_include("ui/translations.h")
    zt::installJapaneseTranslations(app);
#endif
    QApplication::setQuitOnLastWindowClosed(false);
    zt::QtDialogService dialogs;
    zt::WatchApp watch(dialogs);
    zt::WatchSaves saves(watch, dialogs, zt::documentsFolder(), zt::settingsFolder());
    watch.hooks.outsideStop = [&saves] { saves.saveBeforeOutsideStop(); };
    QObject::connect(&watch, &zt::WatchApp::finished, &app, &QCoreApplication::exit);
    watch.startUp();
    return app.exec();
}
