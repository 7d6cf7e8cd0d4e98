#include "session/analyzersession.h"
#include "mainwindow/mainwindow.h"
#include "graph/graphwindow.h"
#include "support/testregistry.h"
#include "ui/scripteddialogservice.h"

#include "analyzerfixture.h"
#include "../graph/graphfixture.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QTest>

using namespace zt;

// The main window's graph command against a session with a recorded set.
class GraphCommandTest : public QObject
{
    Q_OBJECT
    QTemporaryDir home;

    static GraphWindow *openGraph()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *graph = qobject_cast<GraphWindow *>(w); graph && graph->isVisible())
                return graph;
        return nullptr;
    }

private slots:
    void graphCommandOpensTheGraphAndAutoRangeWritesTheSettings()
    {
        QVERIFY(home.isValid());
        test::pointHomeAt(home.path());
        AnalyzerSession session;
        QVERIFY(session.startUp().empty());
        session.set = *test::realisticSet(300);
        session.dataPresent = true;
        ScriptedDialogService dialogs;
        MainWindow main(session, dialogs);
        main.show();
        session.announceNewSet();

        main.action(QStringLiteral("m_GRATH"))->trigger();
        QTRY_VERIFY(openGraph() != nullptr);
        QPointer<GraphWindow> graph = openGraph();
        QVERIFY(!main.isEnabled());
        QCOMPARE(graph->source().series, (GraphSeries{1, 2, 3, 4, 5, 6}));

        const QString settingsFile = session.settingsPath(SettingsFile::App);
        QFile::remove(settingsFile);
        session.settings.app.ScaleFixed1 = 1;
        graph->returnToAutoRange();
        QVERIFY(QFile::exists(settingsFile));
        QCOMPARE(session.settings.app.ScaleFixed1, qint16(0));

        graph->close();
        QVERIFY(main.isEnabled());
        QTRY_VERIFY(graph.isNull()); // deleted on close
        QVERIFY(dialogs.asked().isEmpty());
    }
};

ZT_TEST(GraphCommandTest)
#include "graphcommandtest.moc"
