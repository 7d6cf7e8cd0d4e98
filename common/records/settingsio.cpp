#include "records/settingsio.h"

#include "records/fileerrors.h"
#include "records/wholefile.h"

#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

namespace zt {

int readSettingsBytes(const QString &path, QByteArray &bytes, bool &missing)
{
    missing = false;
    if (!QFileInfo::exists(path)) {
        missing = true;
        return 0;
    }
    if (QFileInfo(path).isDir())
        return ErrPathAccess;
    return readWholeFile(path, MaxSettingsFileBytes, bytes);
}

int saveSettingsBytes(const QString &path, const QByteArray &bytes)
{
    // Renaming over a device node or FIFO would replace it with a plain file.
    if (const int error = refuseIrregularFile(path))
        return error;
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
