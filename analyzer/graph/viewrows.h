#pragma once

namespace zt {

// Rows of the common time axis in view (ViewFirstRow .. ViewLastRow).
struct ViewRows
{
    int first = 1;
    int last = 1;

    int span() const { return last - first; }
    bool operator==(const ViewRows &) const = default;
};

// The rows in view before drawing: the whole axis unless zoomed. An empty set still
// gets row 1 so that nothing downstream divides by a zero span.
ViewRows viewRowsFor(bool timeZoomed, ViewRows current, int rowTotal);

// Rows between vertical grid lines for a view spanning `span` rows (0 counts as 1).
int timeLabelStep(int span);

// A single-row view is widened by one row so that every row has a width. At row 9000
// it grows backwards; everywhere else (beyond 9000 too) it grows at the end.
ViewRows widenSingleRow(ViewRows view);

} // namespace zt
