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
#include <QFileInfo>
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

// What kestrel finds in its own folder: the manual, opened with the desktop's viewer (or
// error 53), and the monitor program it starts.
class ProgramFolderTest : public QObject
{
    Q_OBJECT
    QTemporaryDir home;
    UrlRecorder viewer;
    std::unique_ptr<AnalyzerSession> session;
    std::unique_ptr<ScriptedDialogService> dialogs;
    std::unique_ptr<MainWindow> window;

    static QString inFolder(const char *name)
    {
        return programFolder() + QLatin1Char('/') + QLatin1String(name);
    }
    // The test places stand-ins beside its own executable. Should that folder ever hold the
    // real programs (one output folder for everything), it leaves them alone and skips.
    bool folderHoldsRealPrograms = false;
    QStringList placed;
    void place(const char *name) { placed.append(inFolder(name)); }
    void removePlaced()
    {
        for (const QString &path : std::as_const(placed))
            QFileInfo(path).isDir() ? void(QDir(path).removeRecursively())
                                    : void(QFile::remove(path));
        placed.clear();
    }
    void triggerHelp() { window->action(QStringLiteral("mHHELP"))->trigger(); }

private slots:
    void initTestCase()
    {
        QVERIFY(home.isValid());
        test::pointHomeAt(home.path());
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &viewer, "open");
        folderHoldsRealPrograms = QFileInfo::exists(inFolder("help")) ||
                                  QFileInfo::exists(inFolder("watch")) ||
                                  QFileInfo::exists(inFolder("kestrel"));
    }
    void cleanupTestCase() { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    void init()
    {
        if (folderHoldsRealPrograms)
            QSKIP("the test's folder holds the real programs; stand-ins would replace them");
        viewer.opened.clear();
        session = std::make_unique<AnalyzerSession>();
        QVERIFY(session->startUp().empty());
        dialogs = std::make_unique<ScriptedDialogService>();
        window = std::make_unique<MainWindow>(*session, *dialogs);
    }
    void cleanup()
    {
        window.reset();
        removePlaced();
    }

    void helpOpensTheManualBesideTheProgram()
    {
        place("help");
        QVERIFY(QDir().mkpath(inFolder("help")));
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

    void monitorStartRunsTheWatchBesideTheProgram()
    {
        // A stand-in monitor that only leaves a mark beside itself.
        place("watch");
        place("watch-started");
        QFile fake(inFolder("watch"));
        QVERIFY(fake.open(QIODevice::WriteOnly));
        fake.write("#!/bin/sh\ntouch \"$(dirname \"$0\")/watch-started\"\n");
        fake.close();
        QVERIFY(fake.setPermissions(fake.permissions() | QFileDevice::ExeOwner));

        window->action(QStringLiteral("menuJyou"))->trigger();
        QVERIFY(dialogs->messages().isEmpty());
        QTRY_VERIFY(QFile::exists(inFolder("watch-started")));
    }
};

ZT_TEST(ProgramFolderTest)
#include "programfoldertest.moc"
