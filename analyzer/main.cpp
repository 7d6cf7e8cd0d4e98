#include "session/analyzersession.h"
#include "session/appfont.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/screenlayout.h"
#include "platform/windowpresence.h"
#include "ui/qtdialogservice.h"
#include "ui/translations.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kestrel"));
    if (zt::installJapaneseTranslations(app).isEmpty())
        qWarning("kestrel: Qt's Japanese translations were not found (qt6-translations-l10n)");

    // A second start brings the first to the front and touches nothing.
    const QString title = zt::mainWindowTitle();
    if (zt::isWindowOpen(title)) {
        zt::raiseWindow(title);
        return 0;
    }
    zt::WindowPresence presence(title);
    presence.publish();

    const QScreen *screen = QGuiApplication::primaryScreen();
    const double twipsPerPixel = 1440.0 / screen->logicalDotsPerInchY();
    const zt::ScreenLayout layout = zt::layoutForScreen(screen->size(), twipsPerPixel);
    QApplication::setFont(zt::japaneseUiFont(layout.fontPointSize));

    zt::AnalyzerSession session;
    const zt::SettingsErrors errors = session.startUp();
    zt::QtDialogService dialogs;
    zt::MainWindow window(session, dialogs);
    window.setWindowTitle(session.caption());
    window.applyLayout(layout);
    QObject::connect(&presence, &zt::WindowPresence::raiseRequested, &window, [&window] {
        window.showNormal();
        window.raise();
        window.activateWindow();
    });
    window.show();
    window.reportSettingsErrors(errors);
    return app.exec();
}
