#pragma once

#include <QAbstractTableModel>

namespace zt {

class AlarmLog;

// `LogGrid`'s content: "時刻" | "動作", one row per entry, newest first.
class AlarmLogModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit AlarmLogModel(const AlarmLog &log, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    void reload();
    const AlarmLog &log;
    int rows = 0;
};

} // namespace zt
