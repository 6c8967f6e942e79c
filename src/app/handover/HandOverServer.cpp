// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/handover/HandOverServer.h"

#include "app/handover/HandOverConnection.h"
#include "app/handover/HandOverProtocol.h"
#include "app/handover/UnixSocket.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <cerrno>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// A client that has not finished after this is dropped. Well above the
// client's own wait (2 s), so that only a client that is stopped or hung
// meets it, never one that is still deciding.
constexpr int kIdleClientMs = 5000;
constexpr int kRetryMs = 200;
// Starts come one at a time; far more open connections are an attack or a
// fault, and must not take the descriptors the program needs for its files.
constexpr int kMaxClients = 64;
// Connections that wait to be accepted (while accepting pauses, say).
constexpr int kBacklog = 64;
// After accept failed (descriptors or memory short), accepting rests this
// long; a connection that closes meanwhile ends the rest at once.
constexpr int kResumeMs = 100;

} // namespace

HandOverServer::HandOverServer(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)) {
    retry_.setSingleShot(true);
    retry_.setInterval(kRetryMs);
    connect(&retry_, &QTimer::timeout, this, &HandOverServer::Deliver);
    resume_.setSingleShot(true);
    resume_.setInterval(kResumeMs);
    connect(&resume_, &QTimer::timeout, this, &HandOverServer::ResumeAccepting);
}

HandOverServer::~HandOverServer() {
    if (listener_ < 0)
        return;
    incoming_.reset();
    ::close(listener_);
    // Only the socket file this server made: a later program may have put
    // its own in its place.
    const QByteArray native = QFile::encodeName(name_);
    struct stat info {};
    if (::lstat(native.constData(), &info) == 0 && S_ISSOCK(info.st_mode) &&
        info.st_dev == socketDevice_ && info.st_ino == socketInode_)
        ::unlink(native.constData());
}

bool HandOverServer::IsAlive(const QString& name) {
    const int probe = handover::ConnectTo(name, 500);
    if (probe < 0)
        return false;
    ::close(probe);
    return true;
}

bool HandOverServer::Listen() {
    if (listener_ >= 0)
        return true;
    if (Bind())
        return true;
    if (errno != EADDRINUSE || IsAlive(name_))
        return false;
    ::unlink(QFile::encodeName(name_).constData());
    return Bind();
}

bool HandOverServer::Bind() {
    sockaddr_un addr{};
    if (!handover::SocketAddress(name_, addr)) {
        errno = ENAMETOOLONG;
        return false;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    // A plain bind fails on an existing name, even a socket that a live
    // program serves. The folder is the user's own, and the socket is
    // created with the umask.
    struct stat info {};
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(fd, kBacklog) != 0 || ::stat(addr.sun_path, &info) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return false;
    }
    listener_ = fd;
    socketDevice_ = info.st_dev;
    socketInode_ = info.st_ino;
    incoming_ = std::make_unique<QSocketNotifier>(qintptr(fd), QSocketNotifier::Read);
    connect(incoming_.get(), &QSocketNotifier::activated, this, &HandOverServer::Accept);
    return true;
}

void HandOverServer::SetHandler(Handler handler) {
    handler_ = std::move(handler);
    ScheduleDelivery();
}

void HandOverServer::SetHandler(const std::function<void(const QString&)>& pathHandler) {
    if (!pathHandler) {
        SetHandler(Handler());
        return;
    }
    SetHandler([pathHandler](const QString& path, const QByteArray&) { pathHandler(path); });
}

void HandOverServer::Accept() {
    while (listener_ >= 0 && incoming_->isEnabled()) {
        if (int(clients_.size()) >= kMaxClients) {
            PauseAccepting(); // until a connection closes
            return;
        }
        const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd >= 0) {
            Adopt(fd);
            continue;
        }
        if (errno == EINTR || errno == ECONNABORTED)
            continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK)
            PauseAccepting(); // out of descriptors or memory: the socket stays
        return;
    }
}

void HandOverServer::PauseAccepting() {
    // The notifier would fire again at once for the connection still
    // waiting, and the program would spin.
    incoming_->setEnabled(false);
    resume_.start();
}

void HandOverServer::ResumeAccepting() {
    if (!incoming_)
        return;
    incoming_->setEnabled(true);
    Accept();
}

void HandOverServer::Adopt(int fd) {
    auto* connection = new HandOverConnection(fd, this);
    clients_.insert(connection);
    connect(connection, &HandOverConnection::ReadyRead, this,
            [this, connection] { OnReadyRead(connection); });
    connect(connection, &HandOverConnection::Closed, this, [this, connection] {
        char byte = 0; // a confirmation that came with the close
        if (unconfirmed_.count(connection) != 0 && connection->GetChar(&byte))
            TakeConfirmation(connection, byte);
        Forget(connection);
    });
    QTimer::singleShot(kIdleClientMs, connection, [this, connection] { GiveUp(connection); });
    if (!handover::PeerIsSameUser(connection->Descriptor()))
        Reply(connection, handover::kRejected);
    else
        OnReadyRead(connection);
}

void HandOverServer::Forget(HandOverConnection* connection) {
    unconfirmed_.erase(connection);
    if (clients_.erase(connection) == 0)
        return;
    connection->Close();
    // It may be reporting right now.
    connection->deleteLater();
    // A descriptor is free again: accepting that rests goes on.
    if (incoming_ && !incoming_->isEnabled()) {
        resume_.stop();
        QTimer::singleShot(0, this, &HandOverServer::ResumeAccepting);
    }
}

void HandOverServer::OnReadyRead(HandOverConnection* connection) {
    if (unconfirmed_.count(connection) != 0) {
        char byte = 0;
        if (connection->GetChar(&byte))
            TakeConfirmation(connection, byte);
        return;
    }
    TakeRequest(connection);
}

void HandOverServer::TakeRequest(HandOverConnection* connection) {
    const QByteArray head = connection->Peek(handover::kHeaderSize);
    const auto header = handover::DecodeHeader(head);
    if (!header)
        return;
    if (!header->valid) {
        Reply(connection, handover::kRejected);
        return;
    }
    if (connection->Available() < handover::kHeaderSize + header->payloadBytes)
        return;
    connection->Read(handover::kHeaderSize);
    const auto request = handover::DecodePayload(*header, connection->Read(header->payloadBytes));
    // The sender resolves a relative path against its own working folder;
    // here there is no folder it could mean. A full queue means that this
    // program does not get to them; the sender opens the file itself.
    if (!request || !QDir::isAbsolutePath(request->path) ||
        PendingCount() + int(unconfirmed_.size()) >= handover::kMaxPending) {
        Reply(connection, handover::kRejected);
        return;
    }
    unconfirmed_[connection] = HandedFile{QDir::cleanPath(request->path), request->token};
    // A sender that is gone cannot confirm; its file is forgotten at once.
    if (!connection->Send(handover::kAccepted))
        Forget(connection);
}

void HandOverServer::TakeConfirmation(HandOverConnection* connection, char byte) {
    const auto it = unconfirmed_.find(connection);
    if (it == unconfirmed_.end())
        return;
    HandedFile file = it->second;
    unconfirmed_.erase(it);
    Forget(connection);
    if (byte != handover::kConfirmed)
        return;
    pending_.push_back(std::move(file));
    ScheduleDelivery();
}

void HandOverServer::GiveUp(HandOverConnection* connection) {
    if (unconfirmed_.count(connection) != 0) {
        // From here on a confirmation fails at its sender, which then opens
        // the file itself; one that is already here still counts.
        char byte = 0;
        if (connection->ShutDownReading(&byte))
            TakeConfirmation(connection, byte);
        unconfirmed_.erase(connection);
    }
    Forget(connection);
}

void HandOverServer::Reply(HandOverConnection* connection, char answer) {
    // The sender reads the answer before it sees the end, whether it came
    // or not.
    connection->Send(answer);
    Forget(connection);
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
    const HandedFile file = pending_.front();
    pending_.pop_front();
    delivering_ = true;
    handler_(file.path, file.token);
    delivering_ = false;
    ScheduleDelivery();
}
