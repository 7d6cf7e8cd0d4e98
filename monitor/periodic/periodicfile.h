#pragma once

#include "periodic/collecteddata.h"
#include "records/logset.h"

#include <QString>

namespace zt {

// The set a periodic file holds: the same as a read-out of those records would give.
void buildPeriodicSet(const CollectedData &data, LogSet &set);

// Creates the missing folders and writes the file through QSaveFile. Returns 0 or the
// error number; on failure nothing was changed on disk (a previous file stays).
int writePeriodicFile(const QString &path, const CollectedData &data);

} // namespace zt
