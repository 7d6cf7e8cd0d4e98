#pragma once

#include "print/printinput.h"

namespace zt {

class PrintEngine;

// Rows of a data list printout (1-based, inclusive).
struct RowSpan
{
    int first = 1;
    int last = 1;
};

// Line width of the data list in "M" cells: row number, time and eight channels.
constexpr int DataListCells = 6 + 18 + ReservedChannelColumns * 9;

// Prints the data list of `rows` on pages of the engine's page size, the head repeated on
// every page and the page number under the table. False when the engine failed.
bool printDataList(PrintEngine &engine, const ListPrintInput &in, RowSpan rows);

} // namespace zt
