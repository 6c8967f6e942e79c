#include "app/ShellOpenProtocol.h"

#include <QDir>
#include <QtEndian>
#include <unistd.h>

namespace shellopen {

namespace {

QString RuntimeDir() {
    const QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!dir.isEmpty() && QDir::isAbsolutePath(dir) && QDir(dir).exists())
        return QDir::cleanPath(dir);
    return QString();
}

} // namespace

QString ServerName() {
    const QString runtime = RuntimeDir();
    if (!runtime.isEmpty())
        return runtime + QLatin1String("/quintara.sock");
    return QStringLiteral("quintara-%1").arg(::getuid());
}

QString LockPath() {
    const QString runtime = RuntimeDir();
    if (!runtime.isEmpty())
        return runtime + QLatin1String("/quintara.lock");
    return QDir::tempPath() + QStringLiteral("/quintara-%1.lock").arg(::getuid());
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

} // namespace shellopen
