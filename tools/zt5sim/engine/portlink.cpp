#include "engine/portlink.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zt::sim {

bool PortLink::create(const QString &linkPath, const QString &target, QString *error)
{
    remove();
    const QFileInfo info(linkPath);
    if (!QDir().mkpath(info.absolutePath())) {
        *error = QStringLiteral("cannot create the folder %1").arg(info.absolutePath());
        return false;
    }
    if (info.isSymLink()) {
        QFile::remove(linkPath);
    } else if (info.exists()) {
        *error = QStringLiteral("%1 exists and is not a link; not replacing it").arg(linkPath);
        return false;
    }
    if (!QFile::link(target, linkPath)) {
        *error = QStringLiteral("cannot create the link %1").arg(linkPath);
        return false;
    }
    m_path = linkPath;
    m_target = target;
    return true;
}

void PortLink::remove()
{
    if (m_path.isEmpty())
        return;
    // Only our own link: another simulator may have replaced it meanwhile.
    const QFileInfo info(m_path);
    if (info.isSymLink() && info.symLinkTarget() == m_target)
        QFile::remove(m_path);
    m_path.clear();
}

} // namespace zt::sim
