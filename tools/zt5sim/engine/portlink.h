#pragma once

#include <QString>

namespace zt::sim {

// The symbolic link through which the PC programs find the pty ("<settings>/ports/COM1").
class PortLink
{
public:
    PortLink() = default;
    PortLink(const PortLink &) = delete;
    PortLink &operator=(const PortLink &) = delete;
    ~PortLink() { remove(); }

    // Creates the folder and the link, replacing a stale link but never a real file.
    bool create(const QString &linkPath, const QString &target, QString *error);
    void remove();
    QString path() const { return m_path; }

private:
    QString m_path;
    QString m_target;
};

} // namespace zt::sim
