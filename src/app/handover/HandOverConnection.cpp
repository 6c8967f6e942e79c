// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/handover/HandOverConnection.h"

#include <QSocketNotifier>
#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// What one wake-up reads at most. A request is far smaller; the server
// takes what it needs after each chunk, so a peer that sends more than it
// should cannot make the buffer grow beyond a request and one chunk.
constexpr int kChunk = 4096;

} // namespace

HandOverConnection::HandOverConnection(int fd, QObject* parent)
    : QObject(parent), fd_(fd),
      notifier_(std::make_unique<QSocketNotifier>(qintptr(fd), QSocketNotifier::Read)) {
    connect(notifier_.get(), &QSocketNotifier::activated, this, &HandOverConnection::OnReadable);
}

HandOverConnection::~HandOverConnection() {
    Close();
}

QByteArray HandOverConnection::Read(int count) {
    QByteArray bytes = buffer_.left(count);
    buffer_.remove(0, bytes.size());
    return bytes;
}

bool HandOverConnection::GetChar(char* byte) {
    if (buffer_.isEmpty())
        return false;
    *byte = buffer_.at(0);
    buffer_.remove(0, 1);
    return true;
}

bool HandOverConnection::Send(char byte) {
    return fd_ >= 0 && ::send(fd_, &byte, 1, MSG_NOSIGNAL | MSG_DONTWAIT) == 1;
}

bool HandOverConnection::ShutDownReading(char* byte) {
    if (fd_ < 0)
        return false;
    ::shutdown(fd_, SHUT_RD);
    return GetChar(byte) || ::recv(fd_, byte, 1, MSG_DONTWAIT) == 1;
}

void HandOverConnection::Close() {
    if (fd_ < 0)
        return;
    // The notifier stops before its descriptor, which may be reused at once;
    // it goes with this object, as it may be reporting right now.
    notifier_->setEnabled(false);
    ::close(fd_);
    fd_ = -1;
}

void HandOverConnection::OnReadable() {
    char chunk[kChunk];
    const ssize_t got = ::recv(fd_, chunk, sizeof chunk, MSG_DONTWAIT);
    if (got > 0) {
        buffer_.append(chunk, qsizetype(got));
        emit ReadyRead();
        return;
    }
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR))
        return;
    // The notifier would report the end again and again.
    notifier_->setEnabled(false);
    emit Closed();
}
