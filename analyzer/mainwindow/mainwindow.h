#pragma once

#include "files/filecommands.h"
#include "mainwindow/screenlayout.h"
#include "print/printcommands.h"
#include "records/settingsstartup.h"

#include <QHash>

#include <QMainWindow>

class QAction;
class QMenu;

namespace zt {

class AnalyzerSession;
class DialogService;
class LogListModel;
class LogListView;
class StatsHeaderModel;

// `MAIN`: the analysis program's only top-level window.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    MainWindow(AnalyzerSession &session, DialogService &dialogs, QWidget *parent = nullptr);

    // Menu and toolbar entries by their object names (`menuLogFOpen`, `btnsave`, ...).
    QAction *action(const QString &name) const;
    LogListView *listView() const { return list; }
    LogListModel *listModel() const { return listModelPtr; }

    void applyLayout(const ScreenLayout &layout);
    // Shows the start-up errors of the settings files.
    void reportSettingsErrors(const SettingsErrors &errors);
    // Rebuilds the list from the session's set and enables the data commands.
    void fillList();

    FileCommands &files() { return fileCommands; }
    PrintCommands &prints() { return printCommands; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void buildToolbar();
    QAction *addAction(QMenu *menu, const QString &name, const QString &caption);
    void setDataCommandsEnabled(bool enabled);
    // The monitor guard: true (after the status message) when a monitor blocks the command.
    bool monitorBlocks(bool currentChoice, int statusKind);

    void onGraph();
    void onOpen();
    void onReadout();
    void onRecordingSettings();
    void onAlarmSettings();
    void onMonitorStart();
    void onPortAuto();
    void onPortManual();
    void onRegister();
    void onDelete();
    void onRename();
    void onExtraOptions();
    void onHelp();
    void onVersion();
    void onSettingsMenuAboutToShow();

    AnalyzerSession &session;
    DialogService &dialogs;
    FileCommands fileCommands;
    PrintCommands printCommands;
    LogListModel *listModelPtr;
    StatsHeaderModel *statsModel;
    LogListView *list;
    QHash<QString, QAction *> actions;
};

} // namespace zt
