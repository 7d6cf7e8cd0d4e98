#pragma once

#include <QString>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace zt::test {

// Opens a pseudo-terminal in raw mode with a non-blocking master, as the test peers
// that play the receiver need it. False (both descriptors -1) when none can be had.
inline bool openRawPty(int &master, int &slave, QString &slavePath)
{
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        master = slave = -1;
        return false;
    }
    termios raw{};
    tcgetattr(slave, &raw);
    cfmakeraw(&raw);
    tcsetattr(slave, TCSANOW, &raw);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    slavePath = QString::fromLocal8Bit(name);
    return true;
}

} // namespace zt::test
