// From "file chosen" to "list ready" in the analysis program's main window for the
// largest set: the load, the model reset and one paint of the visible list.
#include "../tests/records/test_zt2sets.h"
#include "session/analyzersession.h"
#include "mainwindow/loglistmodel.h"
#include "mainwindow/loglistview.h"
#include "mainwindow/mainwindow.h"
#include "records/zt2file.h"
#include "ui/scripteddialogservice.h"

#include <QAction>
#include <QApplication>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void openFullSetIntoTheList(benchmark::State &state)
{
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path() + QStringLiteral("/share")));
    zt::AnalyzerSession session;
    session.startUp();
    zt::ScriptedDialogService dialogs;
    zt::MainWindow window(session, dialogs);
    window.resize(1280, 997);
    window.show();
    const QString path = home.filePath(QStringLiteral("full.zt2"));
    zt::saveZt2(path, *zt::test::fullSet());
    QTableView *view = window.listView()->dataView();
    for (auto _ : state) {
        dialogs.answerFile(path);
        window.action(QStringLiteral("menuLogFOpen"))->trigger();
        view->viewport()->repaint();
        window.listView()->fixedView()->viewport()->repaint();
        window.listView()->statsView()->viewport()->repaint();
    }
    if (!session.dataPresent || window.listModel()->rows() != zt::MaxSamples)
        state.SkipWithError("the set did not load");
}
BENCHMARK(openFullSetIntoTheList)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
