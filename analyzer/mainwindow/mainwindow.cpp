#include "mainwindow/mainwindow.h"

#include "session/analyzersession.h"
#include "ports/autoscandialog.h"
#include "ports/portsetdialog.h"
#include "mainwindow/loglistmodel.h"
#include "mainwindow/loglistview.h"
#include "platform/programstart.h"
#include "platform/windowtitles.h"
#include "readout/readoutcommand.h"
#include "recording/recordingsettingscommand.h"
#include "registration/registrationcommands.h"
#include "mainwindow/statsheadermodel.h"
#include "mainwindow/versiondialog.h"
#include "graph/graphwindow.h"
#include "graph/graphwindowlayout.h"
#include "graph/seriesselection.h"
#include "icons/toolbaricons.h"
#include "mainwindow/extraoptionsdialog.h"
#include "ports/jyusindialog.h"
#include "link/seriallink.h"
#include "platform/ports.h"
#include "platform/programfolder.h"
#include "records/messages.h"
#include "ui/dialogservice.h"
#include "ui/alarmreceiver.h"
#include "ui/messageroutine.h"
#include "ui/statuskinds.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>
#include <QUrl>

namespace zt {

namespace {
constexpr int styleOkCancelWarning = 49;
constexpr int styleYesNoCancelQuestion = 35;
constexpr int styleOkWarning = 48;
} // namespace

MainWindow::MainWindow(AnalyzerSession &session, DialogService &dialogs, QWidget *parent)
    : QMainWindow(parent), session(session), dialogs(dialogs), fileCommands(session, dialogs, this),
      printCommands(dialogs, this,
                    {[this]() -> const LogSet & { return this->session.set; },
                     [this]() -> const DisplayChannels & { return listModelPtr->channels(); }}),
      listModelPtr(new LogListModel(this)), statsModel(new StatsHeaderModel(this)),
      list(new LogListView(listModelPtr, statsModel, this))
{
    setObjectName(QStringLiteral("MAIN"));
    setCentralWidget(list);
    buildMenus();
    buildToolbar();
    setDataCommandsEnabled(false);
    setWindowTitle(session.caption());
    connect(&session, &AnalyzerSession::captionChanged, this, &QWidget::setWindowTitle);
    connect(&session, &AnalyzerSession::setReplaced, this, &MainWindow::fillList);
    connect(&session, &AnalyzerSession::setReplaced, this, &RememberedChoice::noteNewSet);
    connect(list, &LogListView::extraOptionsRequested, this, &MainWindow::onExtraOptions);
}

QAction *MainWindow::action(const QString &name) const
{
    return actions.value(name);
}

QAction *MainWindow::addAction(QMenu *menu, const QString &name, const QString &caption)
{
    QAction *a = menu->addAction(caption);
    a->setObjectName(name);
    actions.insert(name, a);
    return a;
}

void MainWindow::buildMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    file->setObjectName(QStringLiteral("m_File"));
    connect(addAction(file, QStringLiteral("menuLogFOpen"), QStringLiteral("開く(&O)")),
            &QAction::triggered, this, &MainWindow::onOpen);
    connect(addAction(file, QStringLiteral("menuLogFAddSave"), QStringLiteral("上書き保存(&A)")),
            &QAction::triggered, this, [this] { fileCommands.save(); });
    connect(addAction(file, QStringLiteral("menuLogFSave"), QStringLiteral("名前を付けて保存(&N)")),
            &QAction::triggered, this, [this] { fileCommands.saveAs(); });
    connect(addAction(file, QStringLiteral("menuLogTeSave"), QStringLiteral("テキスト保存(&T)")),
            &QAction::triggered, this, [this] { fileCommands.exportCsv(); });
    file->addSeparator();
    QMenu *print = file->addMenu(QStringLiteral("画面データの印刷(&P)"));
    print->setObjectName(QStringLiteral("menuLogPrint"));
    actions.insert(QStringLiteral("menuLogPrint"), print->menuAction());
    const QStringList printCaptions = {QStringLiteral("全体印刷(&A)"),
                                       QStringLiteral("部分印刷(&B)"),
                                       QStringLiteral("パラメータ印刷(&P)")};
    for (int i = 0; i < printCaptions.size(); ++i)
        connect(addAction(print, QStringLiteral("mFPRINTSEL%1").arg(i), printCaptions.at(i)),
                &QAction::triggered, this, [this, i] { printCommands.start(PrintKind(i)); });
    connect(addAction(file, QStringLiteral("mFPRINTSET"), QStringLiteral("プリンタ設定(&S)")),
            &QAction::triggered, this, [this] { printCommands.printerSetup(); });
    file->addSeparator();
    connect(addAction(file, QStringLiteral("m_END"), QStringLiteral("終了(&X)")),
            &QAction::triggered, this, &QWidget::close);

    QAction *graph = menuBar()->addAction(QStringLiteral("画面データのグラフ(&G)"));
    graph->setObjectName(QStringLiteral("m_GRATH"));
    actions.insert(graph->objectName(), graph);
    connect(graph, &QAction::triggered, this, &MainWindow::onGraph);

    QMenu *comm = menuBar()->addMenu(QStringLiteral("通信(&C)"));
    comm->setObjectName(QStringLiteral("m_jyouset"));
    connect(addAction(comm, QStringLiteral("menu_logdata"), QStringLiteral("収録データ読出し(&R)")),
            &QAction::triggered, this, &MainWindow::onReadout);
    connect(addAction(comm, QStringLiteral("menuIniSet"), QStringLiteral("送信器収録設定(&C)")),
            &QAction::triggered, this, &MainWindow::onRecordingSettings);
    connect(addAction(comm, QStringLiteral("menuAlarmSet"), QStringLiteral("送信器警報設定(&A)")),
            &QAction::triggered, this, &MainWindow::onAlarmSettings);
    connect(addAction(comm, QStringLiteral("menuJyou"), QStringLiteral("監視(&W)")),
            &QAction::triggered, this, &MainWindow::onMonitorStart);
    QMenu *port = comm->addMenu(QStringLiteral("ポート設定(&P)"));
    port->setObjectName(QStringLiteral("mPORT"));
    connect(addAction(port, QStringLiteral("mPORTA"), QStringLiteral("自動設定(&A)")),
            &QAction::triggered, this, &MainWindow::onPortAuto);
    connect(addAction(port, QStringLiteral("mPORTM"), QStringLiteral("手動設定(&M)")),
            &QAction::triggered, this, &MainWindow::onPortManual);
    connect(addAction(port, QStringLiteral("mJyusin"), QStringLiteral("受信器選択(&R)")),
            &QAction::triggered, this, [this] { JyusinDialog(session, this).exec(); });

    QMenu *set = menuBar()->addMenu(QStringLiteral("登録・変更(&T)"));
    set->setObjectName(QStringLiteral("m_Set"));
    connect(set, &QMenu::aboutToShow, this, &MainWindow::onSettingsMenuAboutToShow);
    connect(addAction(set, QStringLiteral("menuOyaset"), QStringLiteral("受信器の登録(&E)")),
            &QAction::triggered, this, &MainWindow::onRegister);
    connect(addAction(set, QStringLiteral("menuOyaDel"), QStringLiteral("受信器の削除(&D)")),
            &QAction::triggered, this, &MainWindow::onDelete);
    set->addSeparator();
    connect(
        addAction(set, QStringLiteral("menuRename"), QStringLiteral("受信器・送信器名の変更(&N)")),
        &QAction::triggered, this, &MainWindow::onRename);

    QMenu *help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    help->setObjectName(QStringLiteral("m_HELP"));
    connect(addAction(help, QStringLiteral("mHHELP"), QStringLiteral("ヘルプ(&H)")),
            &QAction::triggered, this, &MainWindow::onHelp);
    connect(addAction(help, QStringLiteral("mHVER"), QStringLiteral("バージョン情報(&V)")),
            &QAction::triggered, this, &MainWindow::onVersion);
    onSettingsMenuAboutToShow();
}

void MainWindow::buildToolbar()
{
    QToolBar *bar = addToolBar(QStringLiteral("Toolbar1"));
    bar->setObjectName(QStringLiteral("Toolbar1"));
    styleToolbar(bar);
    struct Button
    {
        const char *key;
        const char *tooltip;
        const char *text;
        const char *icon;
        const char *sameAs;
    };
    const Button buttons[] = {
        {"btnopen", "ファイル読出し", "開く", "open", "menuLogFOpen"},
        {"btnsave", "上書き保存", "保存", "save", "menuLogFAddSave"},
        {nullptr, nullptr, nullptr, nullptr, nullptr},
        {"btnprint", "全体印刷", "印刷", "print", "mFPRINTSEL0"},
        {nullptr, nullptr, nullptr, nullptr, nullptr},
        {"btngraph", "グラフの描画", "グラフ", "graph", "m_GRATH"},
        {nullptr, nullptr, nullptr, nullptr, nullptr},
        {"btnlread", "収録データの読み出し", "読出し", "readout", "menu_logdata"},
        {"btnlset", "送信器収録設定", "収録設定", "recording", "menuIniSet"},
        {nullptr, nullptr, nullptr, nullptr, nullptr},
        {"btntset", "監視", "監視", "monitor", "menuJyou"},
    };
    for (const Button &b : buttons) {
        if (!b.key) {
            bar->addSeparator();
            continue;
        }
        QAction *a =
            bar->addAction(toolbarIcon(QString::fromLatin1(b.icon)), QString::fromUtf8(b.text));
        a->setObjectName(QString::fromUtf8(b.key));
        a->setToolTip(QString::fromUtf8(b.tooltip));
        actions.insert(a->objectName(), a);
        if (QAction *target = action(QString::fromUtf8(b.sameAs)))
            connect(a, &QAction::triggered, target, &QAction::trigger);
    }
}

void MainWindow::setDataCommandsEnabled(bool enabled)
{
    for (const char *name : {"menuLogFAddSave", "menuLogFSave", "menuLogTeSave", "menuLogPrint",
                             "m_GRATH", "btnsave", "btnprint", "btngraph"})
        if (QAction *a = action(QString::fromLatin1(name)))
            a->setEnabled(enabled);
}

void MainWindow::applyLayout(const ScreenLayout &layout)
{
    QFont f = font();
    f.setPointSize(layout.fontPointSize);
    setFont(f);
    list->applyScreenLayout(layout);
    resize(layout.windowWidth, layout.windowHeight);
    move(layout.topLeft);
}

void MainWindow::reportSettingsErrors(const SettingsErrors &errors)
{
    for (const SettingsError &e : errors)
        showError(dialogs, this, e.error, e.title());
}

void MainWindow::fillList()
{
    listModelPtr->setLogSet(&session.set);
    statsModel->setLogSet(&session.set, listModelPtr->channels());
    list->scrollToStart(); // a new set opens at its first row and first column
    setDataCommandsEnabled(session.dataPresent);
}

bool MainWindow::monitorBlocks(bool currentChoice, int statusKind)
{
    const bool second = currentChoice && session.receiverChoice == 1;
    if (!isMonitorRunning(second))
        return false;
    showStatusMessage(dialogs, this, statusKind);
    return true;
}

void MainWindow::onGraph()
{
    startSelection(this, dialogs, session.set, SelectionPurpose::Graph,
                   [this](const GraphSeries &series, SelectionPurpose) {
                       GraphSource source{
                           &session.set, &listModelPtr->channels(), series, &session.settings.app,
                           [this] { return session.writeSettingsFile(SettingsFile::App); }};
                       auto *window = new GraphWindow(std::move(source), dialogs, this,
                                                      graphWindowSize(screen()->size().height()));
                       connect(window, &GraphWindow::printRequested, window,
                               [this, window] { printGraphWindow(*window, dialogs); });
                       connect(window, &GraphWindow::pageSetupRequested, window,
                               [this, window] { pageSetupOfGraph(*window, dialogs); });
                       window->show();
                   });
}

void MainWindow::onOpen()
{
    if (session.hasUnsavedReadout() &&
        showMessage(dialogs, this, 2, 28, styleOkCancelWarning) == AnswerCancel)
        return;
    fileCommands.open();
}

void MainWindow::onReadout()
{
    if (monitorBlocks(true, 30))
        return;
    if (session.hasUnsavedReadout() &&
        showMessage(dialogs, this, 2, 28, styleOkCancelWarning) == AnswerCancel)
        return;
    bool startMonitor = false;
    ReadoutCommand(session, dialogs, fileCommands, this).run(&startMonitor);
    if (startMonitor)
        onMonitorStart();
}

void MainWindow::onRecordingSettings()
{
    if (monitorBlocks(true, 31))
        return;
    showMessage(dialogs, this, 45, 88, 0);
    RecordingSettingsCommand(session, dialogs, this).run();
}

void MainWindow::onAlarmSettings()
{
    if (monitorBlocks(true, 31))
        return;
    SerialLink link(LinkMode::Kestrel);
    link.setPortName(portDevice(chosenPortNo(session)));
    runAlarmSettings(link, session.settings, dialogs, this);
}

void MainWindow::onPortAuto()
{
    if (monitorBlocks(false, 30))
        return;
    showMessage(dialogs, this, 46, 89, 0);
    AutoScanDialog dialog(session, dialogs, this);
    dialog.exec();
}

void MainWindow::onPortManual()
{
    if (monitorBlocks(false, 30))
        return;
    PortSetDialog dialog(session, dialogs, this);
    dialog.exec();
}

void MainWindow::onMonitorStart()
{
    const bool second = session.receiverChoice == 1;
    if (isMonitorRunning(second, true))
        return;
    if (!startSiblingProgram(second ? QStringLiteral("watch2") : QStringLiteral("watch")))
        dialogs.message(this, {captionText(0), QStringLiteral("立ち上げに失敗しました"), 0});
}

void MainWindow::onRegister()
{
    if (session.settings.oya.OyaCount >= MaxOya) {
        showMessage(dialogs, this, 40, 82, styleOkWarning);
        return;
    }
    if (monitorBlocks(true, 30))
        return;
    RegistrationCommands(session, dialogs, this).registerReceiver();
    onSettingsMenuAboutToShow();
}

void MainWindow::onDelete()
{
    if (monitorBlocks(false, 30))
        return;
    RegistrationCommands(session, dialogs, this).deleteReceiver();
    onSettingsMenuAboutToShow();
}

void MainWindow::onRename()
{
    if (monitorBlocks(false, 30))
        return;
    RegistrationCommands(session, dialogs, this).rename();
}

void MainWindow::onExtraOptions()
{
    ExtraOptionsDialog dialog(session, dialogs, this);
    dialog.exec();
}

void MainWindow::onHelp()
{
    const QString help = helpIndexPath();
    if (!QFileInfo::exists(help) || !QDesktopServices::openUrl(QUrl::fromLocalFile(help)))
        showError(dialogs, this, 53, captionText(0));
}

void MainWindow::onVersion()
{
    VersionDialog dialog(this);
    dialog.exec();
}

void MainWindow::onSettingsMenuAboutToShow()
{
    const bool any = session.settings.oya.OyaCount > 0;
    action(QStringLiteral("menuRename"))->setEnabled(any);
    action(QStringLiteral("menuOyaDel"))->setEnabled(any);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (session.hasUnsavedReadout()) {
        const int answer = dialogs.message(
            this, {captionText(12),
                   QStringLiteral("読み出したデータが保存されていません。\n保存しますか？"),
                   styleYesNoCancelQuestion});
        if (answer == AnswerCancel || (answer == AnswerYes && !fileCommands.saveAs())) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

} // namespace zt
