#include "app/handover/HandOverProtocol.h"

#include <QDir>
#include <QFile>
#include <QtEndian>
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

QString InFolder(const char* name) {
    const QString folder = Folder();
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + QLatin1String(name);
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

QString ServerName() {
    return InFolder("quintara.sock");
}

QString LockPath() {
    return InFolder("quintara.lock");
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

QByteArray EncodeRequest(const QString& absolutePath) {
    const QByteArray path = absolutePath.toUtf8();
    QByteArray bytes(kHeaderSize, '\0');
    qToBigEndian<quint32>(kMagic, bytes.data());
    qToBigEndian<quint32>(quint32(path.size()), bytes.data() + 4);
    return bytes + path;
}

std::optional<Header> DecodeHeader(const QByteArray& bytes) {
    if (bytes.size() < kHeaderSize)
        return std::nullopt;
    Header header;
    const quint32 magic = qFromBigEndian<quint32>(bytes.constData());
    const quint32 length = qFromBigEndian<quint32>(bytes.constData() + 4);
    header.valid = magic == kMagic && length > 0 && length <= quint32(kMaxPathBytes);
    header.pathBytes = header.valid ? int(length) : 0;
    return header;
}

} // namespace handover
