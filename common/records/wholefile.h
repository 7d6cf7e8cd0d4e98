#pragma once

#include "records/fileerrors.h"

#include <QByteArray>
#include <QString>

// Guards shared by every whole-file reader and writer.
namespace zt {

// 0 when nothing exists at `path` or it is a regular file (links followed); otherwise
// ErrPathAccess: a device node, FIFO, socket or folder is never read as data nor
// replaced by a file.
int refuseIrregularFile(const QString &path);

// Reads the regular file at `path` whole, but never more than `maxBytes`: a longer
// file is refused with ErrBadFileFormat before it fills the memory. 0 or the error.
int readWholeFile(const QString &path, qint64 maxBytes, QByteArray &bytes);

} // namespace zt
