#pragma once

#include <QFileDevice>
#include <QString>

// Failed file operations reported with the run-time error numbers of the error table,
// so every file dialog and writer shows the same texts.
namespace zt {

enum FileErrorNumber : int {
    ErrOutOfMemory = 7,
    ErrBadFileName = 52,
    ErrFileNotFound = 53,
    ErrDiskFull = 61,
    ErrWriteProtected = 70,
    ErrDiskNotReady = 71,
    ErrPathAccess = 75,
    ErrPathNotFound = 76,
    ErrBadFileFormat = 321,
    ErrWriteFailed = 31036,
    ErrReadFailed = 31037,
};

enum class FileOperation { Read, Write };

// The error number for errno of a failed call; an errno without a closer match gives the
// generic read or write failure.
int errorNumberForErrno(int err, FileOperation op);

// The error number for a file whose open, read, write or commit failed. A non-zero errno
// captured by the caller right after the failure decides; otherwise the path is examined.
int fileErrorNumber(const QFileDevice &file, FileOperation op, int capturedErrno = 0);

// The error box text for that failure, with Qt's description for an unexpected one.
QString fileErrorMessage(const QFileDevice &file, FileOperation op, int capturedErrno = 0);

} // namespace zt
