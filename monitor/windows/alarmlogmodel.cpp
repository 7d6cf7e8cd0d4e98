#include "windows/alarmlogmodel.h"

#include "engine/alarmlog.h"

namespace zt {

AlarmLogModel::AlarmLogModel(const AlarmLog &log, QObject *parent)
    : QAbstractTableModel(parent), log(log), rows(log.count())
{
    connect(&log, &AlarmLog::entryAdded, this, &AlarmLogModel::reload);
    connect(&log, &AlarmLog::cleared, this, &AlarmLogModel::reload);
}

int AlarmLogModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : rows;
}

int AlarmLogModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant AlarmLogModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole || index.row() >= rows)
        return {};
    const AlarmLogEntry entry = log.newestAt(index.row());
    return index.column() == 0 ? entry.time : entry.text;
}

QVariant AlarmLogModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return section == 0 ? QStringLiteral("時刻") : QStringLiteral("動作");
}

void AlarmLogModel::reload()
{
    // A new entry goes on top and, once the ring is full, the oldest leaves the bottom.
    beginResetModel();
    rows = log.count();
    endResetModel();
}

} // namespace zt
