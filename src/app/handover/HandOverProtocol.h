// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a second start hands a file to the program already running for the
// same user on the same display: a local socket in a folder only the user
// can reach, named after the display, one request per connection, and the
// peer's user id checked on both ends.
//
//   client: request   magic word, length of the payload, payload (both
//                     words big-endian). With kMagic the payload is the
//                     path in UTF-8; with kMagicWithToken it is the path,
//                     a zero byte and the start's activation token, so
//                     that the window may come to the front. A start
//                     without a token sends the first kind, which every
//                     version of the program takes.
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

inline constexpr quint32 kMagic = 0x51374F50;          // "Q7OP"
inline constexpr quint32 kMagicWithToken = 0x51374F54; // "Q7OT"
inline constexpr int kHeaderSize = 8;
// Longer than any path the system takes; protects the server from garbage.
inline constexpr int kMaxPathBytes = 32 * 1024;
// Startup ids and activation tokens are a few dozen characters; a longer
// one, or one with bytes outside printable ASCII, is not sent.
inline constexpr int kMaxTokenBytes = 512;
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
// The display this start shows its window on, as a part of a file name:
// $WAYLAND_DISPLAY, else $DISPLAY without its screen number, every byte
// outside letters, digits, '-' and '.' written as '_'; a long name is cut
// and keeps its uniqueness through a hash. Empty without either.
QString DisplayPart();
// The per-user, per-display server name (a socket path in Folder()):
// quintara-<display>.sock, or quintara.sock without a display; empty with
// Folder(). Starts on another display find no server there and open a
// window of their own.
QString ServerName();
// The lock that lets only one starting program at a time decide whether it
// becomes the display's server; empty with Folder().
QString LockPath();

// This start's activation token: $XDG_ACTIVATION_TOKEN, else
// $DESKTOP_STARTUP_ID; empty when neither is set or the value is not a
// token that may be sent (see kMaxTokenBytes). Read before the application
// object exists, which takes the startup id out of the environment.
QByteArray ActivationToken();
bool IsSendableToken(const QByteArray& token);

// True when the process at the other end of the connected local socket
// runs as this process's user.
bool PeerIsSameUser(qintptr socketDescriptor);

// The request for absolutePath, with token when it is not empty.
QByteArray EncodeRequest(const QString& absolutePath, const QByteArray& token = QByteArray());

// Reading a request from the bytes received so far.
struct Header {
    bool valid = false;
    bool withToken = false;
    int payloadBytes = 0;
};
// nullopt while fewer than kHeaderSize bytes are there.
std::optional<Header> DecodeHeader(const QByteArray& bytes);

struct Request {
    QString path;
    QByteArray token;
};
// The payload of a valid header; nullopt when it is malformed (no path,
// no separator before a token, a token that could not have been sent).
std::optional<Request> DecodePayload(const Header& header, const QByteArray& payload);

} // namespace handover
