#pragma once

#include <QMainWindow>

class QAction;
class QTableView;

namespace zt {

class AlarmLog;
class AlarmLogModel;

// `AlarmLogForm`, "動作履歴": the communication and alarm log, newest first, with
// "履歴の保存" and "履歴の削除".
class AlarmLogForm : public QMainWindow
{
    Q_OBJECT
public:
    explicit AlarmLogForm(AlarmLog &log, QWidget *parent = nullptr);

    QTableView *logGrid() const { return LogGrid; }
    QAction *saveAction() const { return LogSave; }
    QAction *deleteAction() const { return LogDel; }
    AlarmLogModel *model() const { return modelPtr; }

private:
    void updateSaveEnabled();

    AlarmLog &log;
    AlarmLogModel *modelPtr;
    QTableView *LogGrid;
    QAction *LogSave;
    QAction *LogDel;
};

} // namespace zt
