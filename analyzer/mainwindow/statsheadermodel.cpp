#include "mainwindow/statsheadermodel.h"

#include "session/cellformat.h"

namespace zt {

namespace {
const char *const rowLabels[] = {"測定間隔", "最高値", "最低値", "平均値"};
}

StatsHeaderModel::StatsHeaderModel(QObject *parent) : QAbstractTableModel(parent) {}

void StatsHeaderModel::setLogSet(const LogSet *newSet, const DisplayChannels &newChannels)
{
    beginResetModel();
    set = newSet;
    channels = newChannels;
    endResetModel();
}

int StatsHeaderModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 4;
}

int StatsHeaderModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : MaxDisplayChannels;
}

QVariant StatsHeaderModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical && role == Qt::DisplayRole && section >= 0 && section < 4)
        return QString::fromUtf8(rowLabels[section]);
    return {};
}

QString StatsHeaderModel::cellText(int row, int channelNo) const
{
    const DisplayChannel &d = channels[std::size_t(channelNo - 1)];
    if (!set || !d.present || d.kind == ChannelKind::None)
        return QString();
    if (row == 0)
        return intervalCellText(set->intervalHours, set->intervalMinutes);
    const int koIndex = [&] {
        for (int k = 0; k < MaxKo; ++k)
            if (set->series[std::size_t(k)].HasData == 1 &&
                set->series[std::size_t(k)].SeriesNo == (channelNo + 1) / 2)
                return k;
        return -1;
    }();
    if (koIndex < 0)
        return QString();
    const KoSeries &s = set->series[std::size_t(koIndex)];
    const ChannelStats &st = s.stats[channelNo % 2 == 1 ? 0 : 1];
    const qint16 value = row == 1 ? st.MaxValue : row == 2 ? st.MinValue : st.AvgValue;
    return statCellText(d.kind, value, s.DataCount > 0);
}

QVariant StatsHeaderModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return cellText(index.row(), index.column() + 1);
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

} // namespace zt
