#include "app/ShellOpenServer.h"

#include "app/ShellOpenProtocol.h"

#include <QApplication>
#include <QDir>
#include <QLocalSocket>

namespace {

// A client that connects and then says nothing is dropped after this.
constexpr int kIdleClientMs = 5000;
constexpr int kRetryMs = 200;

} // namespace

ShellOpenServer::ShellOpenServer(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)) {
    connect(&server_, &QLocalServer::newConnection, this, &ShellOpenServer::OnNewConnection);
    retry_.setSingleShot(true);
    retry_.setInterval(kRetryMs);
    connect(&retry_, &QTimer::timeout, this, &ShellOpenServer::Deliver);
}

ShellOpenServer::~ShellOpenServer() {
    server_.close(); // removes the socket file
}

bool ShellOpenServer::IsAlive(const QString& name) {
    QLocalSocket probe;
    probe.connectToServer(name);
    const bool alive = probe.waitForConnected(500);
    probe.abort();
    return alive;
}

bool ShellOpenServer::Listen() {
    // No socket options: with them the socket would be renamed over an
    // existing one, even one that a live program serves. The runtime
    // folder is the user's own, and the socket is created with the umask.
    if (server_.listen(name_))
        return true;
    if (server_.serverError() != QAbstractSocket::AddressInUseError || IsAlive(name_))
        return false;
    QLocalServer::removeServer(name_);
    return server_.listen(name_);
}

void ShellOpenServer::SetHandler(std::function<void(const QString&)> handler) {
    handler_ = std::move(handler);
    ScheduleDelivery();
}

void ShellOpenServer::OnNewConnection() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { OnReadyRead(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QTimer::singleShot(kIdleClientMs, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
        OnReadyRead(socket);
    }
}

void ShellOpenServer::OnReadyRead(QLocalSocket* socket) {
    if (socket->property("answered").toBool())
        return;
    const QByteArray head = socket->peek(shellopen::kHeaderSize);
    const auto header = shellopen::DecodeHeader(head);
    if (!header)
        return;
    if (!header->valid) {
        Reply(socket, shellopen::kRejected);
        return;
    }
    if (socket->bytesAvailable() < shellopen::kHeaderSize + header->pathBytes)
        return;
    socket->read(shellopen::kHeaderSize);
    const QByteArray bytes = socket->read(header->pathBytes);
    QString path = QString::fromUtf8(bytes);
    // The sender resolves a relative path against its own working folder;
    // here there is no folder it could mean.
    if (!QDir::isAbsolutePath(path) || path.contains(QChar(0))) {
        Reply(socket, shellopen::kRejected);
        return;
    }
    Reply(socket, shellopen::kAccepted);
    pending_.push_back(QDir::cleanPath(path));
    ScheduleDelivery();
}

void ShellOpenServer::Reply(QLocalSocket* socket, char answer) {
    socket->setProperty("answered", true);
    socket->write(&answer, 1);
    socket->flush();
    socket->disconnectFromServer();
}

void ShellOpenServer::ScheduleDelivery() {
    if (!pending_.empty() && handler_)
        QTimer::singleShot(0, this, &ShellOpenServer::Deliver);
}

void ShellOpenServer::Deliver() {
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
