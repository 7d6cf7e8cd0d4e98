#pragma once

#include "print/printinput.h"

namespace zt {

class PrintEngine;

// Line width of the parameter sheet in "M" cells: row titles and eight channels.
constexpr int ParameterSheetCells = 13 + ReservedChannelColumns * 10;

// The ten rows of receiver, start, interval, name, unit, counts and statistics per channel.
bool printParameterSheet(PrintEngine &engine, const ListPrintInput &in);

} // namespace zt
