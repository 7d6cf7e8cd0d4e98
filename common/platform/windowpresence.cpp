#include "platform/windowpresence.h"

#include "platform/folders.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

namespace zt {

namespace {
constexpr int connectTimeoutMs = 300;
const QByteArray raiseCommand = QByteArrayLiteral("raise\n");

QString userName()
{
    const QByteArray user = qgetenv("USER");
    return user.isEmpty() ? QString::fromLocal8Bit(qgetenv("USERNAME"))
                          : QString::fromLocal8Bit(user);
}
} // namespace

QString presenceSocketName(const QString &title)
{
    const QByteArray key =
        (userName() + QLatin1Char('\n') + settingsFolder() + QLatin1Char('\n') + title).toUtf8();
    const QByteArray hash = QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex();
    return QStringLiteral("zt5-") + QString::fromLatin1(hash.left(24));
}

WindowPresence::WindowPresence(const QString &title, QObject *parent)
    : QObject(parent), title(title)
{
}

WindowPresence::~WindowPresence()
{
    withdraw();
}

bool WindowPresence::publish()
{
    if (server)
        return true;
    if (isWindowOpen(title))
        return false;
    const QString name = presenceSocketName(title);
    QLocalServer::removeServer(name); // a socket file left by a crashed run
    server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(name)) {
        delete server;
        server = nullptr;
        return false;
    }
    connect(server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains(raiseCommand.trimmed()))
                    emit raiseRequested();
            });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    return true;
}

void WindowPresence::withdraw()
{
    if (!server)
        return;
    server->close();
    delete server;
    server = nullptr;
}

bool WindowPresence::isPublished() const
{
    return server != nullptr;
}

bool isWindowOpen(const QString &title)
{
    QLocalSocket socket;
    socket.connectToServer(presenceSocketName(title));
    const bool open = socket.waitForConnected(connectTimeoutMs);
    socket.abort();
    return open;
}

bool raiseWindow(const QString &title)
{
    QLocalSocket socket;
    socket.connectToServer(presenceSocketName(title));
    if (!socket.waitForConnected(connectTimeoutMs))
        return false;
    socket.write(raiseCommand);
    const bool sent = socket.waitForBytesWritten(connectTimeoutMs);
    socket.disconnectFromServer();
    return sent;
}

} // namespace zt
