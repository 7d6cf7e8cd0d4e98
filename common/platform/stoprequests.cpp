#include "platform/stoprequests.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace zt {

#ifdef Q_OS_UNIX
namespace {
int pipeFds[2] = {-1, -1};
constexpr int stopSignals[] = {SIGTERM, SIGINT, SIGHUP};

void onSignal(int signalNumber)
{
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    const int saved = errno;
    [[maybe_unused]] const ssize_t n = ::write(pipeFds[1], &byte, 1);
    errno = saved;
}
} // namespace
#endif

StopRequests::StopRequests(QObject *parent) : QObject(parent) {}

StopRequests::~StopRequests()
{
#ifdef Q_OS_UNIX
    if (!owner)
        return;
    for (int s : stopSignals)
        std::signal(s, SIG_DFL);
    delete notifier;
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
    pipeFds[0] = pipeFds[1] = -1;
#endif
}

bool StopRequests::install()
{
#ifdef Q_OS_UNIX
    if (owner)
        return true;
    if (pipeFds[0] >= 0 || ::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    owner = true;
    notifier = new QSocketNotifier(pipeFds[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &StopRequests::readPipe);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int s : stopSignals)
        sigaction(s, &action, nullptr);
    return true;
#else
    return false;
#endif
}

void StopRequests::watchSessionEnd()
{
    auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    if (!app)
        return;
    connect(app, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager &) { emit stopRequested(0); });
}

void StopRequests::readPipe()
{
#ifdef Q_OS_UNIX
    unsigned char byte = 0;
    while (::read(pipeFds[0], &byte, 1) == 1)
        emit stopRequested(byte);
#endif
}

} // namespace zt
