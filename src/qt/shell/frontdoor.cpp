#include "qt/shell/frontdoor.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QLocalSocket>
#include <QStandardPaths>
#include <system_error>
#include <utility>

namespace zm {

namespace {

constexpr char kKnock[] = "front\n";
constexpr char kDone[] = "done\n";
constexpr int kWaitMs = 2000;

// The peer's user, from the kernel rather than from anything it says.
bool sameUser(const QLocalSocket& socket) {
    ucred peer{};
    socklen_t size = sizeof peer;
    if (::getsockopt(static_cast<int>(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer,
                     &size) != 0) {
        return false;
    }
    return peer.uid == ::getuid();
}

}  // namespace

FrontDoor::FrontDoor(const std::filesystem::path& dir, std::function<void()> come)
    : come_(std::move(come)) {
    const QString name = nameFor(dir);
    // Whoever made a socket of this name no longer holds the folder.
    QLocalServer::removeServer(name);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &FrontDoor::answer);
    server_.listen(name);
}

QString FrontDoor::nameFor(const std::filesystem::path& dir) {
    std::error_code ec;
    std::filesystem::path canonical = std::filesystem::canonical(dir, ec);
    if (ec) canonical = dir.lexically_normal();
    const QByteArray hash =
        QCryptographicHash::hash(QByteArray::fromStdString(canonical.string()),
                                 QCryptographicHash::Sha256)
            .toHex()
            .left(32);
    // The runtime folder is the user's own (made 0700 when the session has none).
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + "/zumeri-" +
           QString::fromLatin1(hash);
}

bool FrontDoor::knock(const std::filesystem::path& dir) {
    QLocalSocket socket;
    socket.connectToServer(nameFor(dir));
    if (!socket.waitForConnected(kWaitMs)) return false;
    socket.write(kKnock);
    if (!socket.waitForBytesWritten(kWaitMs)) return false;
    QByteArray reply;
    while (!reply.endsWith('\n') && socket.waitForReadyRead(kWaitMs)) reply += socket.readAll();
    return reply == kDone;
}

void FrontDoor::answer() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!sameUser(*socket)) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) return;
            if (socket->readLine() == kKnock) {
                come_();
                socket->write(kDone);
                socket->flush();
            }
            socket->disconnectFromServer();
        });
    }
}

}  // namespace zm
