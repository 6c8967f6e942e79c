#include "app/handover/HandOverServer.h"

#include "app/handover/HandOverProtocol.h"

#include <QApplication>
#include <QDir>
#include <QLocalSocket>
#include <sys/socket.h>

namespace {

// A client that has not finished after this is dropped. Well above the
// client's own wait (2 s), so that only a client that is stopped or hung
// meets it, never one that is still deciding.
constexpr int kIdleClientMs = 5000;
constexpr int kRetryMs = 200;

} // namespace

HandOverServer::HandOverServer(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)) {
    connect(&server_, &QLocalServer::newConnection, this, &HandOverServer::OnNewConnection);
    retry_.setSingleShot(true);
    retry_.setInterval(kRetryMs);
    connect(&retry_, &QTimer::timeout, this, &HandOverServer::Deliver);
}

HandOverServer::~HandOverServer() {
    server_.close(); // removes the socket file
}

bool HandOverServer::IsAlive(const QString& name) {
    QLocalSocket probe;
    probe.connectToServer(name);
    const bool alive = probe.waitForConnected(500);
    probe.abort();
    return alive;
}

bool HandOverServer::Listen() {
    // No socket options: with them the socket would be renamed over an
    // existing one, even one that a live program serves. The folder is the
    // user's own, and the socket is created with the umask.
    if (server_.listen(name_))
        return true;
    if (server_.serverError() != QAbstractSocket::AddressInUseError || IsAlive(name_))
        return false;
    QLocalServer::removeServer(name_);
    return server_.listen(name_);
}

void HandOverServer::SetHandler(std::function<void(const QString&)> handler) {
    handler_ = std::move(handler);
    ScheduleDelivery();
}

void HandOverServer::OnNewConnection() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { OnReadyRead(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            char byte = 0; // a confirmation that came with the close
            if (unconfirmed_.count(socket) != 0 && socket->bytesAvailable() > 0 &&
                socket->getChar(&byte))
                TakeConfirmation(socket, byte);
            unconfirmed_.erase(socket);
            socket->deleteLater();
        });
        QTimer::singleShot(kIdleClientMs, socket, [this, socket] { GiveUp(socket); });
        if (!handover::PeerIsSameUser(socket->socketDescriptor()))
            Reply(socket, handover::kRejected);
        else
            OnReadyRead(socket);
    }
}

void HandOverServer::OnReadyRead(QLocalSocket* socket) {
    if (socket->property("answered").toBool()) {
        socket->readAll();
        return;
    }
    if (unconfirmed_.count(socket) != 0) {
        char byte = 0;
        if (socket->getChar(&byte))
            TakeConfirmation(socket, byte);
        return;
    }
    TakeRequest(socket);
}

void HandOverServer::TakeRequest(QLocalSocket* socket) {
    const QByteArray head = socket->peek(handover::kHeaderSize);
    const auto header = handover::DecodeHeader(head);
    if (!header)
        return;
    if (!header->valid) {
        Reply(socket, handover::kRejected);
        return;
    }
    if (socket->bytesAvailable() < handover::kHeaderSize + header->pathBytes)
        return;
    socket->read(handover::kHeaderSize);
    const QByteArray bytes = socket->read(header->pathBytes);
    QString path = QString::fromUtf8(bytes);
    // The sender resolves a relative path against its own working folder;
    // here there is no folder it could mean. A full queue means that this
    // program does not get to them; the sender opens the file itself.
    if (!QDir::isAbsolutePath(path) || path.contains(QChar(0)) ||
        PendingCount() + int(unconfirmed_.size()) >= handover::kMaxPending) {
        Reply(socket, handover::kRejected);
        return;
    }
    // Noted before the answer goes out: a failed write closes the socket
    // at once, and the close forgets the path again.
    unconfirmed_[socket] = QDir::cleanPath(path);
    socket->write(&handover::kAccepted, 1);
    socket->flush();
}

void HandOverServer::TakeConfirmation(QLocalSocket* socket, char byte) {
    const auto it = unconfirmed_.find(socket);
    if (it == unconfirmed_.end())
        return;
    const QString path = it->second;
    unconfirmed_.erase(it);
    socket->setProperty("answered", true);
    socket->disconnectFromServer();
    if (byte != handover::kConfirmed)
        return;
    pending_.push_back(path);
    ScheduleDelivery();
}

void HandOverServer::GiveUp(QLocalSocket* socket) {
    if (unconfirmed_.count(socket) != 0) {
        // From here on a confirmation fails at its sender, which then opens
        // the file itself; one that is already here still counts.
        const int fd = int(socket->socketDescriptor());
        ::shutdown(fd, SHUT_RD);
        char byte = 0;
        if ((socket->bytesAvailable() > 0 && socket->getChar(&byte)) ||
            ::recv(fd, &byte, 1, MSG_DONTWAIT) == 1)
            TakeConfirmation(socket, byte);
        unconfirmed_.erase(socket);
    }
    socket->abort();
    socket->deleteLater();
}

void HandOverServer::Reply(QLocalSocket* socket, char answer) {
    socket->setProperty("answered", true);
    socket->write(&answer, 1);
    socket->flush();
    socket->disconnectFromServer();
}

void HandOverServer::ScheduleDelivery() {
    if (!pending_.empty() && handler_)
        QTimer::singleShot(0, this, &HandOverServer::Deliver);
}

void HandOverServer::Deliver() {
    if (pending_.empty() || !handler_ || delivering_)
        return;
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
        retry_.start();
        return;
    }
    const QString path = pending_.front();
    pending_.pop_front();
    delivering_ = true;
    handler_(path);
    delivering_ = false;
    ScheduleDelivery();
}
