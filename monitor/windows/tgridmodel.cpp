#include "windows/tgridmodel.h"

#include "engine/alarmlog.h"
#include "engine/monitorcycle.h"
#include "windows/valuetext.h"

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
    if (role != Qt::DisplayRole)
        return {};
    const RecordBuffer &buffer = cycle.buffer(ko);
    const MonitorSlot &slot = cycle.slot(ko);
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
