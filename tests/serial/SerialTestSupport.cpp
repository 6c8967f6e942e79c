// SPDX-License-Identifier: GPL-3.0-or-later
#include "SerialTestSupport.h"

#include "device/PortDataEvent.h"

#include <QCoreApplication>
#include <QThread>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <string>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

Pty::Pty() {
    if (::openpty(&master_, &slave_, nullptr, nullptr, nullptr) != 0)
        throw std::runtime_error("openpty failed");
    // Raw from the start, so nothing the test sends is echoed or edited
    // before the port sets the line up.
    termios t{};
    ::tcgetattr(slave_, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(slave_, TCSANOW, &t);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    // OutputStopped must not wait for room.
    ::fcntl(slave_, F_SETFL, ::fcntl(slave_, F_GETFL) | O_NONBLOCK);
    path_ = ::ttyname(slave_);
}

Pty::~Pty() {
    CloseMaster();
    ::close(slave_);
}

void Pty::Send(const QByteArray& bytes) {
    ASSERT_EQ(::write(master_, bytes.constData(), std::size_t(bytes.size())), bytes.size());
}

QByteArray Pty::Receive(const QByteArray& tail, int ms) {
    QByteArray got;
    const auto start = std::chrono::steady_clock::now();
    while (!got.endsWith(tail) && MillisecondsSince(start) < qint64(ms) * SanitizerSlowdown()) {
        pollfd p{master_, POLLIN, 0};
        if (::poll(&p, 1, 5) > 0 && (p.revents & POLLIN)) {
            char buffer[256];
            const ssize_t n = ::read(master_, buffer, sizeof buffer);
            if (n > 0)
                got.append(buffer, int(n));
        }
    }
    return got;
}

int Pty::Pending() const {
    int pending = 0;
    return ::ioctl(slave_, FIONREAD, &pending) == 0 ? pending : -1;
}

bool Pty::OutputStopped() {
    const char probe = '?';
    if (::write(slave_, &probe, 1) != 1)
        return errno == EAGAIN;
    EXPECT_EQ(Receive(QByteArray(1, probe), 2000), QByteArray(1, probe));
    return false;
}

void Pty::CloseMaster() {
    if (master_ >= 0)
        ::close(master_);
    master_ = -1;
}

bool PortEventLog::event(QEvent* e) {
    if (e->type() != PortDataEvent::kType)
        return QWidget::event(e);
    const auto* posted = static_cast<PortDataEvent*>(e);
    // Count first: it orders the reader's chunk before the look at it.
    Entry entry{posted->Count(), posted->Port(), {}};
    CComPort* port = entry.port;
    // Like the real owner, a port that is no longer running is not touched.
    if (port && port->IsRunning()) {
        const auto chunk = port->ReadBuffer(entry.count);
        entry.bytes =
            QByteArray(reinterpret_cast<const char*>(chunk.data()), qsizetype(chunk.size()));
        if (autoRelease)
            port->ReleaseReadBuffer();
    }
    entries.push_back(entry);
    return true;
}

QByteArray PortEventLog::AllBytes() const {
    QByteArray all;
    for (const Entry& e : entries)
        all += e.bytes;
    return all;
}

namespace {
void PumpOnce() {
    // Timers too: the receive dialog's time-out is one.
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::sendPostedEvents();
}
} // namespace

bool PumpUntil(const std::function<bool()>& done, int ms) {
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        PumpOnce();
        if (done())
            return true;
        if (MillisecondsSince(start) >= qint64(ms) * SanitizerSlowdown())
            return false;
        QThread::msleep(1);
    }
}

void PumpFor(int ms) {
    const auto start = std::chrono::steady_clock::now();
    do {
        PumpOnce();
        QThread::msleep(1);
    } while (MillisecondsSince(start) < ms);
}

int QuietWindowMs() {
    return 150 * SanitizerSlowdown();
}

namespace {
// Entries of dir; with skipPipes, a descriptor that is a pipe is not
// counted: the program makes none, and a sanitizer opens the pipes to its
// symbolizer whenever it first needs it, which may be in any round.
int CountEntries(const char* dir, bool skipPipes = false) {
    DIR* d = ::opendir(dir);
    if (!d)
        return -1;
    int n = 0;
    while (const dirent* entry = ::readdir(d)) {
        if (skipPipes) {
            const std::string path = std::string(dir) + "/" + entry->d_name;
            char target[64] = {};
            if (::readlink(path.c_str(), target, sizeof target - 1) > 0 &&
                std::string(target).rfind("pipe:", 0) == 0)
                continue;
        }
        ++n;
    }
    ::closedir(d);
    return n;
}
} // namespace

int OpenFileCount() {
    return CountEntries("/proc/self/fd", true);
}

std::set<int> ThreadIds() {
    std::set<int> ids;
    if (DIR* d = ::opendir("/proc/self/task")) {
        while (const dirent* entry = ::readdir(d))
            if (entry->d_name[0] != '.')
                ids.insert(std::atoi(entry->d_name));
        ::closedir(d);
    }
    return ids;
}

bool NoThreadBesides(const std::set<int>& ids) {
    const std::set<int> now = ThreadIds();
    return std::includes(ids.begin(), ids.end(), now.begin(), now.end());
}

int LockAsAnotherProgram(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool IsExclusive(int fd) {
    int exclusive = 0;
    return ::ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive != 0;
}

qint64 MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start)
        .count();
}

void SerialTest::SetUp() {
    for (int n = 1; n <= 4; ++n)
        SetCom(n, Missing(n));
}

void SerialTest::TearDown() {
    for (int n = 1; n <= 4; ++n)
        UnsetCom(n);
    qunsetenv("QUINTARA_PROFILE");
}

void SerialTest::SetCom(int n, const std::string& path) {
    qputenv(("QUINTARA_COM" + std::to_string(n)).c_str(), QByteArray::fromStdString(path));
}

void SerialTest::UnsetCom(int n) {
    qunsetenv(("QUINTARA_COM" + std::to_string(n)).c_str());
}

std::string SerialTest::Missing(int n) {
    return "/nonexistent/quintara-com" + std::to_string(n);
}
