#include "windows/alarmlogform.h"

#include "engine/alarmlog.h"
#include "windows/alarmlogmodel.h"

#include <QHeaderView>
#include <QMenuBar>
#include <QTableView>

namespace zt {

AlarmLogForm::AlarmLogForm(AlarmLog &log, QWidget *parent)
    : QMainWindow(parent), log(log), modelPtr(new AlarmLogModel(log, this)),
      LogGrid(new QTableView(this)), LogSave(menuBar()->addAction(QStringLiteral("履歴の保存"))),
      LogDel(menuBar()->addAction(QStringLiteral("履歴の削除")))
{
    setObjectName(QStringLiteral("AlarmLogForm"));
    setWindowTitle(QStringLiteral("動作履歴"));
    LogSave->setObjectName(QStringLiteral("LogSave"));
    LogDel->setObjectName(QStringLiteral("LogDel"));
    LogGrid->setObjectName(QStringLiteral("LogGrid"));
    LogGrid->setModel(modelPtr);
    LogGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LogGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    LogGrid->verticalHeader()->hide();
    LogGrid->horizontalHeader()->setStretchLastSection(true);
    const QFontMetrics fm(LogGrid->font());
    // Room for "03-08-22 23:51:30" and two digits more.
    LogGrid->setColumnWidth(0, fm.horizontalAdvance(QStringLiteral("8")) * 2 +
                                   fm.horizontalAdvance(QStringLiteral("03-08-22 23:51:30")));
    LogGrid->verticalHeader()->setDefaultSectionSize(fm.height() + 6);
    setCentralWidget(LogGrid);
    resize(
        fm.horizontalAdvance(QStringLiteral("03-08-22 23:51:30")) * 3 +
            fm.horizontalAdvance(QStringLiteral("送信器01データ受信 (26-12-08 10:00から12データ)")),
        fm.height() * 30);

    connect(LogSave, &QAction::triggered, this, [this] {
        if (this->log.count() > 0)
            this->log.manualSave();
        updateSaveEnabled();
    });
    connect(LogDel, &QAction::triggered, this, [this] { this->log.clear(); });
    connect(&log, &AlarmLog::saveBlockedChanged, this, &AlarmLogForm::updateSaveEnabled);
    updateSaveEnabled();
}

void AlarmLogForm::updateSaveEnabled()
{
    LogSave->setEnabled(!log.saveBlocked());
}

} // namespace zt
