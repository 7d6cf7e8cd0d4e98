#include "records/settingsio.h"

#include "records/fileerrors.h"

#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

namespace zt {

int readSettingsBytes(const QString &path, QByteArray &bytes, bool &missing)
{
    missing = false;
    const QFileInfo info(path);
    if (!info.exists()) {
        missing = true;
        return 0;
    }
    QFile file(path);
    errno = 0;
    if (info.isDir() || !file.open(QIODevice::ReadOnly))
        return fileErrorNumber(file, FileOperation::Read, errno);
    if (file.size() > MaxSettingsFileBytes)
        return ErrBadFileFormat;
    errno = 0;
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fileErrorNumber(file, FileOperation::Read, errno);
    if (data.size() > MaxSettingsFileBytes)
        return ErrBadFileFormat;
    bytes = std::move(data);
    return 0;
}

int saveSettingsBytes(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return fileErrorNumber(file, FileOperation::Write, errno);
    // A short write is a failure even when the device reports no error. The explicit
    // flush matters: commit() in Qt 6.4 does not notice a failing final flush and would
    // put a cut-off file in place of the old one.
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const int error = fileErrorNumber(file, FileOperation::Write, errno);
        file.cancelWriting();
        file.commit();
        return error;
    }
    errno = 0;
    if (!file.commit())
        return fileErrorNumber(file, FileOperation::Write, errno);
    return 0;
}

} // namespace zt
