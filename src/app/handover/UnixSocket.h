// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plain local stream sockets the hand-over talks through: a socket
// file's address and a connection to it within a time limit.

#include <QString>
#include <sys/un.h>

namespace handover {

// The address of the socket file at path; false when the path is empty or
// does not fit.
bool SocketAddress(const QString& path, sockaddr_un& addr);

// A connection to the socket file at path, made within timeoutMs (a full
// backlog is waited out meanwhile). The descriptor is non-blocking and
// closed on exec; -1 with errno set when there is none.
int ConnectTo(const QString& path, int timeoutMs);

} // namespace handover
