#pragma once

#include <QAbstractTableModel>

namespace zt {

class MonitorCycle;
struct MonitorSlot;

// `ListGrid`'s content: two fixed header rows, then one row per slot (row r shows
// slot r - 1), nine columns. Reads the cycle's slot table and record buffers.
class ListGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int HeaderRows = 2;
    enum Column {
        ColNo,
        ColName,
        ColTime,
        ColCh1,
        ColCh2,
        ColMeasure,
        ColBattery,
        ColComm,
        ColMonitor,
        ColumnCount
    };

    explicit ListGridModel(const MonitorCycle &cycle, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // Slot of a row, 0 for the header rows.
    static int koOfRow(int row) { return row >= HeaderRows ? row - HeaderRows + 1 : 0; }
    static int rowOfKo(int koNo) { return koNo + HeaderRows - 1; }

    void setSelectedKo(int koNo);
    int selectedKo() const { return selected; }

    void refreshSlot(int koNo);
    void refreshAll();

    // Whole-row texts and states, for tests and tooltips.
    QString cellText(int koNo, int column) const;
    bool cellIsRed(int koNo, int column) const;
    QString toolTip(int koNo, int column) const;

private:
    QVariant headerData(int row, int column, int role) const;
    QVariant slotData(const MonitorSlot &slot, int column, int role) const;

    const MonitorCycle &cycle;
    int selected = 0;
    int rows = HeaderRows;
};

} // namespace zt
