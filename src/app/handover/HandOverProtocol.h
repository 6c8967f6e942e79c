#pragma once
// How a second start hands a file to the program already running for the
// same user: a local socket in a folder only the user can reach, one request
// per connection, and the peer's user id checked on both ends.
//
//   client: request   magic word, length of the path, path in UTF-8
//                     (both words big-endian)
//   server: 'A' or 'R'  accepted / refused (malformed, relative path, queue
//                       full, another user)
//   client: 'C'       only after 'A' and only while it still waits; with it
//                     the file is the server's to open
//
// A client that gave up waiting closes the connection without 'C' and opens
// the file itself; the server drops the path then. The client's decision is
// final either way: once the server stops waiting for a confirmation it
// shuts its reading side first, so that a late 'C' fails at the client
// instead of being lost.

#include <QByteArray>
#include <QString>
#include <optional>

namespace handover {

inline constexpr quint32 kMagic = 0x51374F50; // "Q7OP"
inline constexpr int kHeaderSize = 8;
// Longer than any path the system takes; protects the server from garbage.
inline constexpr int kMaxPathBytes = 32 * 1024;
inline constexpr char kAccepted = 'A';
inline constexpr char kRejected = 'R';
inline constexpr char kConfirmed = 'C';
// Paths accepted but not yet opened (confirmed or not); more are refused.
inline constexpr int kMaxPending = 16;

// The folder for the socket and the lock: $XDG_RUNTIME_DIR, else
// quintara-<uid> in the temporary folder, made with mode 0700. Empty when
// that folder cannot be made or is not safe: not a folder of this user's
// own (a symbolic link counts as foreign), or open to group or others.
// An unsafe $XDG_RUNTIME_DIR is not replaced by the temporary folder.
QString Folder();
// $XDG_RUNTIME_DIR when it is set and there but not safe (so that
// Folder() is empty); empty otherwise.
QString SharedRuntimeDir();
// The per-user server name (a socket path in Folder()); empty with Folder().
QString ServerName();
// The lock that lets only one starting program at a time decide whether it
// becomes the server; empty with Folder().
QString LockPath();

// True when the process at the other end of the connected local socket
// runs as this process's user.
bool PeerIsSameUser(qintptr socketDescriptor);

QByteArray EncodeRequest(const QString& absolutePath);

// Reading a request from the bytes received so far.
struct Header {
    bool valid = false;
    int pathBytes = 0;
};
// nullopt while fewer than kHeaderSize bytes are there.
std::optional<Header> DecodeHeader(const QByteArray& bytes);

} // namespace handover
