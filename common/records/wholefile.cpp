#include "records/wholefile.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace zt {

int refuseIrregularFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() || info.isFile())
        return 0;
    return ErrPathAccess;
}

int readWholeFile(const QString &path, qint64 maxBytes, QByteArray &bytes)
{
    if (path.isEmpty())
        return ErrBadFileName;
    if (const int error = refuseIrregularFile(path))
        return error;
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        return fileErrorNumber(file, FileOperation::Read, errno);
    // One byte more than allowed tells a file that is too long from one that fits.
    errno = 0;
    QByteArray data = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return fileErrorNumber(file, FileOperation::Read, errno);
    if (data.size() > maxBytes)
        return ErrBadFileFormat;
    bytes = std::move(data);
    return 0;
}

} // namespace zt
