#pragma once

#include "graph/plotseries.h"
#include "graph/viewrows.h"

#include <QString>

namespace zt {

// Statistics of one channel over the rows in view, in tenths of its unit.
struct ViewStatistics
{
    int inView = 0;  // samples in view
    int invalid = 0; // of which not a number
    int valid = 0;
    int maxTenths = 0;
    int minTenths = 0;
    int meanTenths = 0; // halves to even
};

ViewStatistics viewStatistics(const PlotSeries &series, ViewRows view);

// Texts of one `gpgrid` column; rows 0..5 with CR between the lines of a cell.
struct InfoColumnTexts
{
    QString head;
    QString counts;
    QString interval;
    QString maximum;
    QString minimum;
    QString mean;
};

InfoColumnTexts infoColumnTexts(const PlotSeries &series, ViewRows view, int intervalMinutes);

// "hh:nn" of an interval; 0:00 means a whole day.
QString intervalText(int intervalMinutes);

} // namespace zt
