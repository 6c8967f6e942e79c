#include "platform/serial/SerialDevice.h"

#include "platform/files/Profile.h"

#include <QFile>
#include <QString>

namespace {
thread_local int t_lastError = 0;
} // namespace

int SerialLastError() {
    return t_lastError;
}

void SetSerialLastError(int error) {
    t_lastError = error;
}

std::string ComPortDeviceName(int n) {
    if (n < 1)
        return {};
    const QString key = QStringLiteral("COM%1").arg(n);
    // The environment comes first so that tests and one-off runs can point a
    // port at a pseudo-terminal without touching the profile.
    const QByteArray env = qgetenv(("QUINTARA_" + key).toLatin1().constData());
    if (!env.isEmpty())
        return env.toStdString();
    const QString configured = Profile().GetString(QStringLiteral("Ports"), key).trimmed();
    if (!configured.isEmpty())
        return QFile::encodeName(configured).toStdString();
    return DefaultComDeviceName(n);
}
