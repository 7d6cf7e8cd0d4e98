#include "windows/listgridmodel.h"

#include "engine/alarmlog.h"
#include "engine/limittest.h"
#include "engine/monitorcycle.h"
#include "windows/valuetext.h"

#include <QApplication>
#include <QBrush>
#include <QColor>
#include <QPalette>

namespace zt {

namespace {
const QColor alarmRed(255, 0, 0);
const QString anomaly = QStringLiteral("異常");

QString upperHeader(int column)
{
    switch (column) {
    case ListGridModel::ColNo:
        return QStringLiteral("No.");
    case ListGridModel::ColName:
        return QStringLiteral("送信器名");
    case ListGridModel::ColTime:
    case ListGridModel::ColCh1:
    case ListGridModel::ColCh2:
        return QStringLiteral("最新データ");
    case ListGridModel::ColMonitor:
        return QStringLiteral("警報\n監視");
    default:
        return QStringLiteral("警報検出");
    }
}

QString lowerHeader(int column)
{
    static const QStringList lower = {
        QStringLiteral("No."),     QStringLiteral("送信器名"), QStringLiteral("日時"),
        QStringLiteral("温度(℃)"), QStringLiteral("湿度(％)"), QStringLiteral("測定"),
        QStringLiteral("電池"),    QStringLiteral("通信"),     QStringLiteral("警報\n監視")};
    return lower.value(column);
}
} // namespace

ListGridModel::ListGridModel(const MonitorCycle &cycle, QObject *parent)
    : QAbstractTableModel(parent), cycle(cycle)
{
    rows = HeaderRows + cycle.koCount();
}

int ListGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : rows;
}

int ListGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ListGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int ko = koOfRow(index.row());
    if (ko == 0)
        return headerData(index.row(), index.column(), role);
    const MonitorSlot &s = cycle.slot(ko);
    if (role == Qt::BackgroundRole && ko == selected)
        return QApplication::palette().brush(QPalette::Highlight);
    if (role == Qt::ForegroundRole && ko == selected && !cellIsRed(ko, index.column()))
        return QApplication::palette().brush(QPalette::HighlightedText);
    return slotData(s, index.column(), role);
}

QVariant ListGridModel::headerData(int row, int column, int role) const
{
    switch (role) {
    case Qt::DisplayRole:
        return row == 0 ? upperHeader(column) : lowerHeader(column);
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    case Qt::BackgroundRole:
        return QApplication::palette().brush(QPalette::Button);
    default:
        return {};
    }
}

QVariant ListGridModel::slotData(const MonitorSlot &s, int column, int role) const
{
    switch (role) {
    case Qt::DisplayRole:
        return column == ColMonitor ? QVariant() : QVariant(cellText(s.koNo, column));
    case Qt::CheckStateRole:
        if (column == ColMonitor)
            return s.AlarmMonitorOn ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::ForegroundRole:
        if (cellIsRed(s.koNo, column))
            return QBrush(alarmRed);
        return QApplication::palette().brush(QPalette::ButtonText);
    case Qt::ToolTipRole: {
        const QString tip = toolTip(s.koNo, column);
        return tip.isEmpty() ? QVariant() : QVariant(tip);
    }
    case Qt::TextAlignmentRole:
        if (column == ColName)
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        if (column == ColCh1 || column == ColCh2)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return int(Qt::AlignCenter);
    default:
        return {};
    }
}

QString ListGridModel::cellText(int koNo, int column) const
{
    const MonitorSlot &s = cycle.slot(koNo);
    const RecordBuffer &buffer = cycle.buffer(koNo);
    switch (column) {
    case ColNo:
        return QString::number(koNo);
    case ColName:
        return s.KoName;
    case ColTime:
        if (!s.KoOperating)
            return QStringLiteral("収録開始待機中");
        if (buffer.isEmpty())
            return QStringLiteral("データ待機中");
        return logTimeText(buffer.newestTime());
    case ColCh1:
        return buffer.isEmpty() ? QString()
                                : monitorValueText(buffer.newest().ch1, ValueKind::Temperature);
    case ColCh2:
        if (buffer.isEmpty() || !s.twoChannels())
            return {};
        return monitorValueText(buffer.newest().ch2, channel2Kind(s.KoKind));
    case ColMeasure:
        return s.ReflectedAlarmState || s.alarmShownAfterRelease ? anomaly : QString();
    case ColBattery:
        return s.batteryAlarm ? anomaly : QString();
    case ColComm:
        return s.commFailure ? anomaly : QString();
    default:
        return {};
    }
}

bool ListGridModel::cellIsRed(int koNo, int column) const
{
    const MonitorSlot &s = cycle.slot(koNo);
    const RecordBuffer &buffer = cycle.buffer(koNo);
    if (!s.AlarmMonitorOn || buffer.isEmpty())
        return false;
    if (column == ColCh1)
        return monitorLimitAlarm(buffer.newest().ch1, s.limits.AlarmHigh1, s.limits.AlarmLow1);
    if (column == ColCh2 && s.twoChannels())
        return monitorLimitAlarm(buffer.newest().ch2, s.limits.AlarmHigh2, s.limits.AlarmLow2);
    return false;
}

QString ListGridModel::toolTip(int koNo, int column) const
{
    const MonitorSlot &s = cycle.slot(koNo);
    if (column == ColCh1 && s.KoOperating)
        return QStringLiteral("上限") + limitText(s.limits.AlarmHigh1) + QStringLiteral("℃  下限") +
               limitText(s.limits.AlarmLow1) + QStringLiteral("℃");
    if (column == ColCh2 && s.twoChannels()) {
        const QString unit = channel2Kind(s.KoKind) == ValueKind::Temperature
                                 ? QStringLiteral("℃")
                                 : QStringLiteral("％");
        return QStringLiteral("上限") + limitText(s.limits.AlarmHigh2) + unit +
               QStringLiteral("  下限") + limitText(s.limits.AlarmLow2) + unit;
    }
    return {};
}

void ListGridModel::setSelectedKo(int koNo)
{
    const int before = selected;
    selected = koNo;
    if (before > 0)
        refreshSlot(before);
    if (koNo > 0)
        refreshSlot(koNo);
}

void ListGridModel::refreshSlot(int koNo)
{
    if (koNo < 1 || rowOfKo(koNo) >= rows)
        return;
    emit dataChanged(index(rowOfKo(koNo), 0), index(rowOfKo(koNo), ColumnCount - 1));
}

void ListGridModel::refreshAll()
{
    beginResetModel();
    rows = HeaderRows + cycle.koCount();
    endResetModel();
}

} // namespace zt
