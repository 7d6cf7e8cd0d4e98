#pragma once

#include <QAbstractTableModel>

namespace zt {

class MonitorCycle;

// `TGrid`'s content: the records of the selected slot, oldest first, in the columns
// "時刻", "温度 ℃", "湿度 ％". Empty while no slot is selected.
class TGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit TGridModel(const MonitorCycle &cycle, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // 0 clears the grid.
    void showKo(int koNo);
    int shownKo() const { return ko; }
    // The shown slot's buffer changed.
    void reload();
    // A value cell failing the limit test while the slot's monitoring is on.
    bool isRed(int row, int column) const;

private:
    const MonitorCycle &cycle;
    int ko = 0;
    int rows = 0;
};

} // namespace zt
