#pragma once

#include "mainwindow/screenlayout.h"

#include <QWidget>

class QProxyStyle;
class QSpacerItem;
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

    // The screen's measures: scroll-bar thickness, column margin and, on tall
    // screens, rows 1.2 times higher.
    void applyScreenLayout(const ScreenLayout &layout);
    // Back to the first row and the first display column (after a new set).
    void scrollToStart();

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
    QSpacerItem *belowFixed;
    QProxyStyle *scrollBarStyle = nullptr;
    ScreenLayout measures;
};

} // namespace zt
