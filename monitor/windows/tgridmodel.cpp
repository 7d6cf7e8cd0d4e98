#include "windows/tgridmodel.h"

#include "engine/alarmlog.h"
#include "engine/limittest.h"
#include "engine/monitorcycle.h"
#include "windows/valuetext.h"

#include <QBrush>
#include <QColor>

namespace zt {

TGridModel::TGridModel(const MonitorCycle &cycle, QObject *parent)
    : QAbstractTableModel(parent), cycle(cycle)
{
}

int TGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : rows;
}

int TGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant TGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || ko == 0 || index.row() >= rows)
        return {};
    if (role == Qt::TextAlignmentRole)
        return int(index.column() == 0 ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter);
    const RecordBuffer &buffer = cycle.buffer(ko);
    const MonitorSlot &slot = cycle.slot(ko);
    if (role == Qt::ForegroundRole)
        return isRed(index.row(), index.column()) ? QVariant(QBrush(QColor(255, 0, 0)))
                                                  : QVariant();
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case 0:
        return logTimeText(buffer.timeAt(index.row()));
    case 1:
        return monitorValueText(buffer.at(index.row()).ch1, ValueKind::Temperature);
    default:
        if (!slot.twoChannels())
            return QString();
        return monitorValueText(buffer.at(index.row()).ch2, channel2Kind(slot.KoKind));
    }
}

QVariant TGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const QStringList titles = {QStringLiteral("時刻"), QStringLiteral("温度 ℃"),
                                       QStringLiteral("湿度 ％")};
    return titles.value(section);
}

bool TGridModel::isRed(int row, int column) const
{
    if (ko == 0 || row >= rows || column == 0)
        return false;
    const MonitorSlot &slot = cycle.slot(ko);
    if (!slot.AlarmMonitorOn)
        return false;
    const MonitorRecord r = cycle.buffer(ko).at(row);
    if (column == 1)
        return monitorLimitAlarm(r.ch1, slot.limits.AlarmHigh1, slot.limits.AlarmLow1);
    return slot.twoChannels() &&
           monitorLimitAlarm(r.ch2, slot.limits.AlarmHigh2, slot.limits.AlarmLow2);
}

void TGridModel::showKo(int koNo)
{
    beginResetModel();
    ko = koNo;
    rows = ko > 0 ? cycle.buffer(ko).count() : 0;
    endResetModel();
}

void TGridModel::reload()
{
    showKo(ko);
}

} // namespace zt
