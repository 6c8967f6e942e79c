#pragma once
// How a second start hands a file to the program already running for the
// same user: a local socket in the user's runtime folder, one request per
// connection. The request is a magic word, the length of the path and the
// path in UTF-8 (both words big-endian); the answer is one byte.

#include <QByteArray>
#include <QString>
#include <optional>

namespace shellopen {

inline constexpr quint32 kMagic = 0x51374F50; // "Q7OP"
inline constexpr int kHeaderSize = 8;
// Longer than any path the system takes; protects the server from garbage.
inline constexpr int kMaxPathBytes = 32 * 1024;
inline constexpr char kAccepted = 'A';
inline constexpr char kRejected = 'R';

// The per-user server name: a socket in $XDG_RUNTIME_DIR, else a name with
// the user id in it (in the temporary folder).
QString ServerName();
// The lock that lets only one starting program at a time decide whether it
// becomes the server.
QString LockPath();

QByteArray EncodeRequest(const QString& absolutePath);

// Reading a request from the bytes received so far.
struct Header {
    bool valid = false;
    int pathBytes = 0;
};
// nullopt while fewer than kHeaderSize bytes are there.
std::optional<Header> DecodeHeader(const QByteArray& bytes);

} // namespace shellopen
