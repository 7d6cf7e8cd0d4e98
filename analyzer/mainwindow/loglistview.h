#pragma once

#include <QWidget>

class QTableView;

namespace zt {

class LogListModel;
class StatsHeaderModel;

// The main list: the statistics header `pgrid` on top, the fixed "No." and time
// columns at the left, and eight display columns that scroll sideways beside them.
class LogListView : public QWidget
{
    Q_OBJECT
public:
    LogListView(LogListModel *list, StatsHeaderModel *stats, QWidget *parent = nullptr);

    QTableView *dataView() const { return data; }
    QTableView *fixedView() const { return fixed; }
    QTableView *statsView() const { return statsGrid; }

    static constexpr int VisibleDisplayColumns = 8;

signals:
    void extraOptionsRequested(); // F10 in the list

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyColumnWidths();
    void applyRowMetrics();

    QTableView *statsGrid;
    QTableView *fixed;
    QTableView *data;
};

} // namespace zt
