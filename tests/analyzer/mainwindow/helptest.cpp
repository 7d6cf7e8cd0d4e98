#include "mainwindow/mainwindow.h"
#include "analyzerfixture.h"
#include "platform/programfolder.h"
#include "records/messages.h"
#include "session/analyzersession.h"
#include "support/testregistry.h"
#include "ui/scripteddialogservice.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace zt;

// Stands in for the desktop's viewer: records what the program asked it to open.
class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened.append(url); }
};

// "ヘルプ" opens the manual beside the program with the desktop's viewer, or says error 53.
class HelpTest : public QObject
{
    Q_OBJECT
    QTemporaryDir home;
    UrlRecorder viewer;
    std::unique_ptr<AnalyzerSession> session;
    std::unique_ptr<ScriptedDialogService> dialogs;
    std::unique_ptr<MainWindow> window;

    void removeHelp() { QDir(programFolder() + QStringLiteral("/help")).removeRecursively(); }
    void triggerHelp() { window->action(QStringLiteral("mHHELP"))->trigger(); }

private slots:
    void initTestCase()
    {
        QVERIFY(home.isValid());
        test::pointHomeAt(home.path());
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &viewer, "open");
    }
    void cleanupTestCase() { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    void init()
    {
        removeHelp();
        viewer.opened.clear();
        session = std::make_unique<AnalyzerSession>();
        QVERIFY(session->startUp().empty());
        dialogs = std::make_unique<ScriptedDialogService>();
        window = std::make_unique<MainWindow>(*session, *dialogs);
    }
    void cleanup()
    {
        window.reset();
        removeHelp();
    }

    void helpOpensTheManualBesideTheProgram()
    {
        QVERIFY(QDir().mkpath(programFolder() + QStringLiteral("/help")));
        QFile page(helpIndexPath());
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("<html lang=\"ja\"></html>\n");
        page.close();

        triggerHelp();
        QCOMPARE(viewer.opened, QList<QUrl>{QUrl::fromLocalFile(helpIndexPath())});
        QVERIFY(dialogs->messages().isEmpty());
    }

    void missingHelpIsReportedAsError53()
    {
        triggerHelp();
        QVERIFY(viewer.opened.isEmpty());
        QCOMPARE(dialogs->messages().size(), 1);
        QCOMPARE(dialogs->messages()[0].text, errorMessage(53, {}));
    }
};

ZT_TEST(HelpTest)
#include "helptest.moc"
