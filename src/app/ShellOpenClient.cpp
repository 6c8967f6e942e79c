#include "app/ShellOpenClient.h"

#include "app/ShellOpenProtocol.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>

ShellOpenClient::Outcome ShellOpenClient::Send(const QString& name, const QString& absolutePath,
                                               int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        return Outcome::NoServer;
    socket.write(shellopen::EncodeRequest(absolutePath));
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
            return Outcome::NoAnswer;
    }
    while (socket.bytesAvailable() < 1) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(int(deadline.remainingTime())))
            return Outcome::NoAnswer;
    }
    char answer = 0;
    socket.getChar(&answer);
    socket.disconnectFromServer();
    return answer == shellopen::kAccepted ? Outcome::Accepted : Outcome::Rejected;
}

QString ShellOpenClient::Resolve(const QString& path, const QString& workingDir) {
    return QDir::cleanPath(QDir(workingDir).absoluteFilePath(path));
}
