#include "mainwindow/loglistmodel.h"

#include "session/cellformat.h"
#include "records/cp932.h"

namespace zt {

LogListModel::LogListModel(QObject *parent) : QAbstractTableModel(parent) {}

void LogListModel::setLogSet(const LogSet *newSet)
{
    beginResetModel();
    set = newSet;
    displayChannels = set ? buildDisplayChannels(*set) : DisplayChannels{};
    totalRows = set ? rowTotal(*set) : 0;
    interval = set ? set->intervalInMinutes() : 0;
    start = set ? set->startTime() : QDateTime();
    endResetModel();
}

void LogListModel::clear()
{
    setLogSet(nullptr);
}

int LogListModel::rowCount(const QModelIndex &parent) const
{
    // Enough numbered rows to fill the window, and never scrolling past the data.
    return parent.isValid() ? 0 : qMax(totalRows, MinimumRows);
}

int LogListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : FixedColumns + MaxDisplayChannels;
}

QString LogListModel::headingText(const DisplayChannel &channel)
{
    if (!channel.present || channel.kind == ChannelKind::None)
        return QString();
    const auto [first, second] = splitNameAtBytes(channel.name, 6);
    return first + QLatin1Char('\n') + second + QLatin1Char('\n') + unitText(channel.kind);
}

QVariant LogListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical)
        return {};
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return {};
    if (section == 0)
        return QStringLiteral("No.");
    if (section == 1)
        return QStringLiteral("時  刻");
    return headingText(displayChannels[std::size_t(section - FixedColumns)]);
}

QString LogListModel::cellText(int row, int column) const
{
    const int r = row + 1;
    if (column == 0)
        return QString::number(r);
    if (!set || r > totalRows)
        return QString();
    if (column == 1)
        return rowTimeText(rowTime(start, interval, r));
    const int channelNo = column - FixedColumns + 1;
    const DisplayChannel &d = displayChannels[std::size_t(channelNo - 1)];
    if (!d.present || d.kind == ChannelKind::None)
        return QString();
    const int n = r - d.offset;
    if (n < 1 || n > d.count)
        return QString();
    const int seriesNo = (channelNo + 1) / 2;
    const int channel = channelNo % 2 == 1 ? 1 : 2;
    return sampleCellText(d.kind, set->value(seriesNo, channel, n),
                          set->mark(seriesNo, channel, n));
}

QVariant LogListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return cellText(index.row(), index.column());
    if (role == Qt::TextAlignmentRole)
        return int(index.column() == 1 ? Qt::AlignCenter : (Qt::AlignRight | Qt::AlignVCenter));
    return {};
}

} // namespace zt
