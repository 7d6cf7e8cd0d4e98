#pragma once

#include "records/logset.h"

#include <QByteArray>
#include <QString>

// The CSV text export of a LogSet: a 15-line header block with the statistics, then one
// row per point of the common time axis; code page 932 with CR LF line ends.
namespace zt {

// A transmitter with data but an empty name is exported under its slot number, and that
// number becomes its name in the set.
void nameUnnamedSeries(LogSet &set);

// The recording interval as "hh:nn", with 0:00 written as "24:00".
QString intervalText(const LogSet &set);

// The whole file as bytes, names taken from the set as they are.
QByteArray csvBytes(const LogSet &set);

// Names unnamed transmitters, then writes the file through QSaveFile. Returns 0 or the
// error number; a failed export leaves any previous file as it was.
int exportCsv(const QString &path, LogSet &set);

} // namespace zt
