// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/handover/HandOverProtocol.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtEndian>
#include <algorithm>
#include <cerrno>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace handover {

namespace {

// The runtime folder as set, when it is a usable path at all: absolute and
// there. Otherwise the temporary folder serves.
QString RuntimeDir() {
    const QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!dir.isEmpty() && QDir::isAbsolutePath(dir) && QDir(dir).exists())
        return QDir::cleanPath(dir);
    return QString();
}

// A folder of this user's own, with no rights for group and others; a
// symbolic link counts as foreign, as it could be turned elsewhere.
bool IsPrivateFolder(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
}

// In a folder that every user may write, another user could have made the
// name first, as a folder, a link or a socket of his own; then nothing of
// it is used.
QString PrivateTempFolder() {
    QString path = QDir::tempPath() + QStringLiteral("/quintara-%1").arg(::getuid());
    if (::mkdir(QFile::encodeName(path).constData(), 0700) != 0 && errno != EEXIST)
        return QString();
    return IsPrivateFolder(path) ? path : QString();
}

// The socket's path must fit the 108 bytes of a socket address, beside a
// runtime folder of some length.
constexpr int kMaxDisplayPart = 40;

QString InFolder(const char* extension) {
    const QString folder = Folder();
    if (folder.isEmpty())
        return QString();
    const QString display = DisplayPart();
    return folder + QLatin1String("/quintara") +
           (display.isEmpty() ? QString() : QLatin1Char('-') + display) + QLatin1String(extension);
}

} // namespace

QString Folder() {
    const QString runtime = RuntimeDir();
    if (runtime.isEmpty())
        return PrivateTempFolder();
    return IsPrivateFolder(runtime) ? runtime : QString();
}

QString SharedRuntimeDir() {
    const QString runtime = RuntimeDir();
    return runtime.isEmpty() || IsPrivateFolder(runtime) ? QString() : runtime;
}

QString DisplayPart() {
    QByteArray display = qgetenv("WAYLAND_DISPLAY");
    if (display.isEmpty()) {
        display = qgetenv("DISPLAY");
        // ":0" and ":0.0" are one X server, and so one session.
        static const QRegularExpression screen(QStringLiteral("^([^:]*:\\d+)\\.\\d+$"));
        const auto match = screen.match(QString::fromLatin1(display));
        if (match.hasMatch())
            display = match.captured(1).toLatin1();
    }
    QString part;
    for (const char c : display) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '.';
        part += plain ? QLatin1Char(c) : QLatin1Char('_');
    }
    if (part.size() > kMaxDisplayPart) {
        const QByteArray hash = QCryptographicHash::hash(display, QCryptographicHash::Sha256);
        part = part.left(kMaxDisplayPart - 17) + QLatin1Char('_') +
               QString::fromLatin1(hash.toHex().left(16));
    }
    return part;
}

QString ServerName() {
    return InFolder(".sock");
}

QString LockPath() {
    return InFolder(".lock");
}

bool IsSendableToken(const QByteArray& token) {
    if (token.isEmpty() || token.size() > kMaxTokenBytes)
        return false;
    return std::all_of(token.begin(), token.end(), [](char c) { return c > ' ' && c < 127; });
}

QByteArray ActivationToken() {
    for (const char* name : {"XDG_ACTIVATION_TOKEN", "DESKTOP_STARTUP_ID"}) {
        const QByteArray token = qgetenv(name);
        if (!token.isEmpty())
            return IsSendableToken(token) ? token : QByteArray();
    }
    return QByteArray();
}

bool PeerIsSameUser(qintptr socketDescriptor) {
    if (socketDescriptor < 0)
        return false;
    ucred peer{};
    socklen_t size = sizeof peer;
    if (::getsockopt(int(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 ||
        size != sizeof peer)
        return false;
    return peer.uid == ::geteuid();
}

QByteArray EncodeRequest(const QString& absolutePath, const QByteArray& token) {
    QByteArray payload = absolutePath.toUtf8();
    const bool withToken = !token.isEmpty();
    if (withToken)
        payload += '\0' + token;
    QByteArray bytes(kHeaderSize, '\0');
    qToBigEndian<quint32>(withToken ? kMagicWithToken : kMagic, bytes.data());
    qToBigEndian<quint32>(quint32(payload.size()), bytes.data() + 4);
    return bytes + payload;
}

std::optional<Header> DecodeHeader(const QByteArray& bytes) {
    if (bytes.size() < kHeaderSize)
        return std::nullopt;
    Header header;
    const quint32 magic = qFromBigEndian<quint32>(bytes.constData());
    const quint32 length = qFromBigEndian<quint32>(bytes.constData() + 4);
    header.withToken = magic == kMagicWithToken;
    const quint32 limit = quint32(kMaxPathBytes) + (header.withToken ? 1 + kMaxTokenBytes : 0);
    header.valid = (magic == kMagic || header.withToken) && length > 0 && length <= limit;
    header.payloadBytes = header.valid ? int(length) : 0;
    return header;
}

std::optional<Request> DecodePayload(const Header& header, const QByteArray& payload) {
    if (!header.valid)
        return std::nullopt;
    QByteArray path = payload;
    QByteArray token;
    if (header.withToken) {
        const qsizetype zero = payload.indexOf('\0');
        if (zero < 0)
            return std::nullopt;
        path = payload.left(zero);
        token = payload.mid(zero + 1);
        if (!IsSendableToken(token))
            return std::nullopt;
    }
    if (path.isEmpty() || path.size() > kMaxPathBytes || path.contains('\0'))
        return std::nullopt;
    return Request{QString::fromUtf8(path), token};
}

} // namespace handover
