// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One connection the hand-over server accepted: a non-blocking local
// stream socket whose bytes are gathered as they come. Reading is driven
// by the event loop; the server answers with single bytes that never block.

#include <QByteArray>
#include <QObject>
#include <memory>

class QSocketNotifier;

class HandOverConnection : public QObject {
    Q_OBJECT
public:
    // Takes over fd, a connected non-blocking socket.
    HandOverConnection(int fd, QObject* parent);
    ~HandOverConnection() override;

    int Descriptor() const { return fd_; }
    // Bytes received and not yet taken.
    int Available() const { return int(buffer_.size()); }
    QByteArray Peek(int count) const { return buffer_.left(count); }
    QByteArray Read(int count);
    bool GetChar(char* byte);
    // Sends one byte; false when the peer is gone or cannot take it now.
    bool Send(char byte);
    // From now on the peer's sends fail; what is already here is taken once
    // more. False when no byte was there.
    bool ShutDownReading(char* byte);
    // Drops the descriptor; nothing is signalled after this.
    void Close();

signals:
    // New bytes arrived.
    void ReadyRead();
    // The peer closed its end (after all its bytes arrived) or the
    // connection failed.
    void Closed();

private:
    void OnReadable();

    int fd_;
    std::unique_ptr<QSocketNotifier> notifier_;
    QByteArray buffer_;
};
