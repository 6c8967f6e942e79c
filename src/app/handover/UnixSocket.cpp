// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/handover/UnixSocket.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

namespace handover {

bool SocketAddress(const QString& path, sockaddr_un& addr) {
    const QByteArray native = QFile::encodeName(path);
    if (native.isEmpty() || size_t(native.size()) >= sizeof addr.sun_path)
        return false;
    addr = sockaddr_un{};
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, native.constData(), size_t(native.size()));
    return true;
}

int ConnectTo(const QString& path, int timeoutMs) {
    sockaddr_un addr{};
    if (!SocketAddress(path, addr)) {
        errno = ENAMETOOLONG;
        return -1;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    // A blocking connect waits for room in a full backlog, as long as the
    // send time-out allows (zero would mean for ever).
    const int ms = timeoutMs > 0 ? timeoutMs : 1;
    const timeval limit{ms / 1000, suseconds_t(ms % 1000) * 1000};
    int result = ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    while (result == 0 &&
           ::connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0) {
        if (errno == EISCONN)
            break; // an interrupted connect that completed meanwhile
        if (errno != EINTR)
            result = -1;
    }
    const timeval none{};
    if (result == 0)
        result = ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &none, sizeof none);
    if (result == 0)
        result = ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    if (result != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

} // namespace handover
