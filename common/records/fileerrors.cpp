#include "records/fileerrors.h"

#include "records/messages.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <cerrno>

namespace zt {

namespace {

int genericFailure(FileOperation op)
{
    return op == FileOperation::Read ? ErrReadFailed : ErrWriteFailed;
}

// Longest single name most file systems accept, in bytes.
constexpr qsizetype maxNameBytes = 255;

bool isBadName(const QString &path)
{
    if (path.isEmpty() || path.contains(QChar(0)))
        return true;
    const QString name = QFileInfo(path).fileName();
    return name.isEmpty() || name.toUtf8().size() > maxNameBytes;
}

// What the file system shows about a path whose operation failed without an errno.
int diagnosePath(const QFileDevice &file, FileOperation op)
{
    const QString path = file.fileName();
    if (isBadName(path))
        return ErrBadFileName;
    const QFileInfo info(path);
    const QFileInfo folder(info.absolutePath());
    if (!folder.exists() || !folder.isDir())
        return ErrPathNotFound;
    if (info.isDir())
        return ErrPathAccess;
    if (op == FileOperation::Read && !info.exists())
        return ErrFileNotFound;
    if (op == FileOperation::Write) {
        const QStorageInfo storage(folder.absoluteFilePath());
        if (storage.isValid() && storage.isReadOnly())
            return ErrWriteProtected;
        if (storage.isValid() && storage.bytesAvailable() == 0)
            return ErrDiskFull;
    }
    switch (file.error()) {
    case QFileDevice::OpenError:
    case QFileDevice::PermissionsError:
    case QFileDevice::RenameError:
    case QFileDevice::RemoveError:
        return ErrPathAccess;
    default:
        return genericFailure(op);
    }
}

} // namespace

int errorNumberForErrno(int err, FileOperation op)
{
    switch (err) {
    case ENOENT: // for a write only a missing folder makes the name unreachable
        return op == FileOperation::Read ? ErrFileNotFound : ErrPathNotFound;
    case ENOTDIR:
        return ErrPathNotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EBUSY:
    case ETXTBSY:
        return ErrPathAccess;
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return ErrDiskFull;
    case EROFS:
        return ErrWriteProtected;
    case ENAMETOOLONG:
    case EILSEQ:
    case EINVAL:
        return ErrBadFileName;
    case ENOMEM:
        return ErrOutOfMemory;
    case ENXIO:
    case ENODEV:
#ifdef ENOMEDIUM
    case ENOMEDIUM:
#endif
        return ErrDiskNotReady;
    default:
        return genericFailure(op);
    }
}

int fileErrorNumber(const QFileDevice &file, FileOperation op, int capturedErrno)
{
    if (capturedErrno == ENOENT) // errno cannot tell a missing file from a missing folder
        return diagnosePath(file, op);
    if (capturedErrno != 0)
        return errorNumberForErrno(capturedErrno, op);
    return diagnosePath(file, op);
}

QString fileErrorMessage(const QFileDevice &file, FileOperation op, int capturedErrno)
{
    return errorMessage(fileErrorNumber(file, op, capturedErrno), file.errorString());
}

} // namespace zt
