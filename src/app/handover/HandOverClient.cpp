// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/handover/HandOverClient.h"

#include "app/handover/HandOverProtocol.h"
#include "app/handover/UnixSocket.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QScopeGuard>
#include <cerrno>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Waits until fd is ready for events or the deadline passes.
bool WaitFor(int fd, short events, const QDeadlineTimer& deadline) {
    for (;;) {
        if (deadline.hasExpired())
            return false;
        pollfd p{fd, events, 0};
        const int ready = ::poll(&p, 1, int(deadline.remainingTime()));
        if (ready > 0)
            return true;
        if (ready == 0 || errno != EINTR)
            return false;
    }
}

bool SendAll(int fd, const QByteArray& bytes, const QDeadlineTimer& deadline) {
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.constData() + sent, size_t(bytes.size() - sent),
                                 MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            sent += qsizetype(n);
            continue;
        }
        if ((errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) ||
            !WaitFor(fd, POLLOUT, deadline))
            return false;
    }
    return true;
}

// The first byte the peer sends; false when it closes first or is late.
bool ReceiveByte(int fd, char* byte, const QDeadlineTimer& deadline) {
    for (;;) {
        const ssize_t n = ::recv(fd, byte, 1, MSG_DONTWAIT);
        if (n == 1)
            return true;
        if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR))
            return false;
        if (!WaitFor(fd, POLLIN, deadline))
            return false;
    }
}

} // namespace

HandOverClient::Outcome HandOverClient::Send(const QString& name, const QString& absolutePath,
                                             int timeoutMs, const QByteArray& token) {
    QDeadlineTimer deadline(timeoutMs);
    const int fd = handover::ConnectTo(name, timeoutMs);
    if (fd < 0)
        return Outcome::NoServer;
    const auto closer = qScopeGuard([fd] { ::close(fd); });
    // Another user's program learns nothing, not even the path.
    if (!handover::PeerIsSameUser(fd))
        return Outcome::OtherUser;
    if (!SendAll(fd, handover::EncodeRequest(absolutePath, token), deadline))
        return Outcome::NoAnswer;
    char answer = 0;
    if (!ReceiveByte(fd, &answer, deadline))
        return Outcome::NoAnswer;
    if (answer != handover::kAccepted)
        return Outcome::Rejected;
    // This start waits no longer than it said. The confirmation goes out in
    // one call whose success decides: once sent, the file is the server's;
    // when it cannot be sent, the server never opens it and this start does.
    if (deadline.hasExpired())
        return Outcome::NoAnswer;
    const char confirm = handover::kConfirmed;
    if (::send(fd, &confirm, 1, MSG_NOSIGNAL | MSG_DONTWAIT) != 1)
        return Outcome::NoAnswer;
    return Outcome::Accepted;
}

QString HandOverClient::Resolve(const QString& path, const QString& workingDir) {
    return QDir::cleanPath(QDir(workingDir).absoluteFilePath(path));
}
