#include "app/handover/HandOverClient.h"

#include "app/handover/HandOverProtocol.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <sys/socket.h>

HandOverClient::Outcome HandOverClient::Send(const QString& name, const QString& absolutePath,
                                             int timeoutMs, const QByteArray& token) {
    QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        return Outcome::NoServer;
    // Another user's program learns nothing, not even the path.
    if (!handover::PeerIsSameUser(socket.socketDescriptor()))
        return Outcome::OtherUser;
    socket.write(handover::EncodeRequest(absolutePath, token));
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
    if (answer != handover::kAccepted)
        return Outcome::Rejected;
    // This start waits no longer than it said. The confirmation goes out in
    // one call whose success decides: once sent, the file is the server's;
    // when it cannot be sent, the server never opens it and this start does.
    if (deadline.hasExpired())
        return Outcome::NoAnswer;
    const char confirm = handover::kConfirmed;
    if (::send(int(socket.socketDescriptor()), &confirm, 1, MSG_NOSIGNAL | MSG_DONTWAIT) != 1)
        return Outcome::NoAnswer;
    return Outcome::Accepted;
}

QString HandOverClient::Resolve(const QString& path, const QString& workingDir) {
    return QDir::cleanPath(QDir(workingDir).absoluteFilePath(path));
}
