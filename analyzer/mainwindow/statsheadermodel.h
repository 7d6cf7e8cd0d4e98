#pragma once

#include "records/channels.h"
#include "records/logset.h"

#include <QAbstractTableModel>

namespace zt {

// The statistics header above the list (`pgrid`): interval, maximum, minimum and
// average of each display channel.
class StatsHeaderModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit StatsHeaderModel(QObject *parent = nullptr);

    void setLogSet(const LogSet *set, const DisplayChannels &channels);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString cellText(int row, int channelNo) const;

    const LogSet *set = nullptr;
    DisplayChannels channels{};
};

} // namespace zt
