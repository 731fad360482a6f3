// The single-instance check over a local socket and the restore message it carries.
#include "SingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>

#include "Texts.h"

namespace {
constexpr int ConnectTimeout = 500;  // ms
}

CSingleInstance::CSingleInstance(const QString& serverName, QObject* parent) : QObject(parent), name(serverName) {}

QString CSingleInstance::DefaultName()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) user = QStringLiteral("user");
    return QStringLiteral("TfrVydesk-") + user;
}

bool CSingleInstance::OtherIsRunning() const
{
    QLocalSocket socket;
    socket.connectToServer(name);
    const bool found = socket.waitForConnected(ConnectTimeout);
    socket.abort();
    return found;
}

bool CSingleInstance::SendRestore() const
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(ConnectTimeout)) return false;
    socket.write(QByteArray(DeskText::RestoreMessage) + '\n');
    const bool sent = socket.waitForBytesWritten(ConnectTimeout);
    socket.disconnectFromServer();
    return sent;
}

bool CSingleInstance::Listen()
{
    server = new QLocalServer(this);
    if (!server->listen(name)) {
        // A name left behind by a copy that crashed is taken over; a live copy keeps it.
        if (OtherIsRunning()) return false;
        QLocalServer::removeServer(name);
        if (!server->listen(name)) return false;
    }
    connect(server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* client = server->nextPendingConnection()) {
            connect(client, &QLocalSocket::readyRead, this, [this, client] {
                if (client->readAll().startsWith(DeskText::RestoreMessage)) emit RestoreRequested();
            });
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        }
    });
    return true;
}
