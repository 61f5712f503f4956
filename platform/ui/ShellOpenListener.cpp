#include "platform/ui/ShellOpenListener.h"

#include "platform/sys/ShellOpenRequest.h"
#include "platform/sys/ShellOpenSocket.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include <memory>

namespace {

// A sender that has not said all within this time is dropped.
constexpr int kRequestWait = 5000;

struct Listener {
    std::unique_ptr<QLocalServer> server;
    ShellOpenHandler handler;
};

Listener& TheListener()
{
    static Listener listener;
    return listener;
}

void Drop(QLocalSocket* socket)
{
    socket->abort();
    socket->deleteLater();
}

void ReadRequest(QLocalSocket* socket, std::vector<uint8_t>& buffer)
{
    const QByteArray chunk = socket->read(static_cast<qint64>(kMaxShellOpenRequest + 1 - buffer.size()));
    buffer.insert(buffer.end(), chunk.begin(), chunk.end());
    std::vector<std::string> files;
    switch (DecodeShellOpenRequest(buffer, files)) {
    case ShellOpenStatus::incomplete:
        return;
    case ShellOpenStatus::invalid:
        Drop(socket);
        return;
    case ShellOpenStatus::complete:
        socket->write(&kShellOpenAccepted, 1);
        socket->flush();
        socket->disconnectFromServer();
        socket->deleteLater();
        // Opening may ask the user; it waits for the event loop, away from this socket.
        QTimer::singleShot(0, TheListener().server.get(), [files] {
            if (TheListener().handler)
                TheListener().handler(files);
        });
    }
}

void Accept(QLocalServer& server)
{
    while (QLocalSocket* socket = server.nextPendingConnection()) {
        auto buffer = std::make_shared<std::vector<uint8_t>>();
        QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket, buffer] { ReadRequest(socket, *buffer); });
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QTimer::singleShot(kRequestWait, socket, [socket] { Drop(socket); });
    }
}

} // namespace

bool ListenForShellOpen(const std::string& socket, ShellOpenHandler handler)
{
    StopListeningForShellOpen();
    if (socket.empty() || IsSocketListening(socket))
        return false;
    auto server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    const QString path = QString::fromStdString(socket);
    QLocalServer::removeServer(path);
    if (!server->listen(path))
        return false;
    QLocalServer* listening = server.get();
    QObject::connect(listening, &QLocalServer::newConnection, listening, [listening] { Accept(*listening); });
    TheListener() = { std::move(server), std::move(handler) };
    return true;
}

void StopListeningForShellOpen()
{
    Listener& listener = TheListener();
    if (listener.server)
        listener.server->close();
    listener.server.reset();
    listener.handler = nullptr;
}
