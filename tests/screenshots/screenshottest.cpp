#include "analyzerfixture.h"
#include "graph/graphwindow.h"
#include "mainwindow/loglistmodel.h"
#include "mainwindow/mainwindow.h"
#include "platform/folders.h"
#include "session/analyzersession.h"
#include "support/testregistry.h"
#include "ui/scripteddialogservice.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zt;

// The pictures of the manual and the README: the demo file opened in the main window and
// drawn as a graph, through the menus a user takes. Saved when ZT_GRAB_DIR names a folder
// (scripts/screenshots.sh); the checks hold either way.
class ScreenshotTest : public QObject
{
    Q_OBJECT
    QTemporaryDir home;
    std::unique_ptr<AnalyzerSession> session;
    std::unique_ptr<ScriptedDialogService> dialogs;
    std::unique_ptr<MainWindow> window;

    static GraphWindow *openGraph()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *g = qobject_cast<GraphWindow *>(w); g && g->isVisible())
                return g;
        return nullptr;
    }
    static void save(QWidget *w, const QString &name)
    {
        const QString dir = qEnvironmentVariable("ZT_GRAB_DIR");
        if (!dir.isEmpty())
            QVERIFY(w->grab().save(QDir(dir).filePath(name)));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(home.isValid());
        test::pointHomeAt(home.path());
        session = std::make_unique<AnalyzerSession>();
        QVERIFY(session->startUp().empty());
        // Names as a user would give them; files take names from the registry.
        session->settings.koNames.name(1, 1) = QStringLiteral("冷蔵庫Ａ");
        session->settings.koNames.name(1, 3) = QStringLiteral("倉庫北側");
        dialogs = std::make_unique<ScriptedDialogService>();
        window = std::make_unique<MainWindow>(*session, *dialogs);
        window->setWindowTitle(session->caption());
        window->resize(1024, 640);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanupTestCase()
    {
        window.reset();
        dialogs.reset();
        session.reset();
    }

    void mainWindowWithTheDemoFile()
    {
        const QString path = dataFolder() + QStringLiteral("/sample.zt2");
        QVERIFY(QFile::copy(QStringLiteral(ZT_TEST_DATA_DIR "/sample.zt2"), path));
        dialogs->answerFile(path);
        window->action(QStringLiteral("menuLogFOpen"))->trigger();
        QVERIFY(dialogs->messages().isEmpty());
        QVERIFY(window->action(QStringLiteral("m_GRATH"))->isEnabled());
        const auto *m = window->listModel();
        QCOMPARE(m->data(m->index(0, 0), Qt::DisplayRole).toString(), QStringLiteral("1"));
        QVERIFY(!m->data(m->index(0, 1), Qt::DisplayRole).toString().isEmpty());
        save(window.get(), QStringLiteral("main.png"));
    }

    void graphOfTheDemoFile()
    {
        window->action(QStringLiteral("m_GRATH"))->trigger();
        GraphWindow *graph = nullptr;
        QTRY_VERIFY((graph = openGraph()) != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(graph));
        QVERIFY(!window->isEnabled()); // the graph holds the main window while it is open
        save(graph, QStringLiteral("graph.png"));
        graph->close();
    }
};

ZT_TEST(ScreenshotTest)
#include "screenshottest.moc"
