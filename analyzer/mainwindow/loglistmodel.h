#pragma once

#include "records/channels.h"
#include "records/logset.h"

#include <QAbstractTableModel>

namespace zt {

// The main list over the LogSet: one row per row of the time axis, "No.", "時  刻" and 60 display
// columns. Cells are computed when asked; a new set is one model reset.
class LogListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int FixedColumns = 2;
    static constexpr int MinimumRows = 64;

    explicit LogListModel(QObject *parent = nullptr);

    // Rebuilds the display channels; `set` must outlive the model or the next call.
    void setLogSet(const LogSet *set);
    void clear();

    const DisplayChannels &channels() const { return displayChannels; }
    int rows() const { return totalRows; } // rows of the time axis, R

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Heading of display channel column: name split at 6 bytes, second part, unit.
    static QString headingText(const DisplayChannel &channel);

private:
    QString cellText(int row, int column) const;

    const LogSet *set = nullptr;
    DisplayChannels displayChannels{};
    int totalRows = 0;
    int interval = 0;
    QDateTime start;
};

} // namespace zt
