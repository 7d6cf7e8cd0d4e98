#include "periodic/periodicfile.h"

#include "records/fileerrors.h"
#include "records/zt2file.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <memory>

namespace zt {

void buildPeriodicSet(const CollectedData &data, LogSet &set)
{
    SetHeader header = data.header;
    header.maxOffset = PeriodicMaxOffset;
    buildLogSet(header, data.slotRecords, set);
}

int writePeriodicFile(const QString &path, const CollectedData &data)
{
    const QString folder = QFileInfo(path).absolutePath();
    errno = 0;
    if (!QDir().mkpath(folder))
        return errorNumberForErrno(errno ? errno : EACCES, FileOperation::Write);
    const auto set = std::make_unique<LogSet>();
    buildPeriodicSet(data, *set);
    return saveZt2(path, *set);
}

} // namespace zt
