// SPDX-License-Identifier: GPL-3.0-or-later
#include "v7sim/Simulator.h"

#include <QFile>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace v7sim {
namespace {

volatile std::sig_atomic_t g_stop = 0;
void OnSignal(int) {
    g_stop = 1;
}

void MakeRaw(int fd, int baud) {
    termios t{};
    if (tcgetattr(fd, &t) != 0)
        return;
    cfmakeraw(&t);
    const speed_t speed = baud == 9600 ? B9600 : baud == 19200 ? B19200 : B9600;
    cfsetispeed(&t, speed);
    cfsetospeed(&t, speed);
    t.c_cflag |= CLOCAL | CREAD;
    tcsetattr(fd, TCSANOW, &t);
}

bool WriteAll(int fd, const std::uint8_t* data, std::size_t n) {
    while (n > 0) {
        const ssize_t put = ::write(fd, data, n);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN) {
                pollfd p{fd, POLLOUT, 0};
                ::poll(&p, 1, 100);
                continue;
            }
            return false;
        }
        data += put;
        n -= std::size_t(put);
    }
    return true;
}

} // namespace

Simulator::~Simulator() {
    if (fd_ >= 0)
        ::close(fd_);
    if (keepFd_ >= 0)
        ::close(keepFd_);
}

bool Simulator::Stopping() const {
    return g_stop != 0 || stop_;
}

bool Simulator::Open() {
    if (options_.device.isEmpty()) {
        int master = -1;
        int slave = -1;
        if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) {
            std::fprintf(stderr, "v7sim: openpty: %s\n", std::strerror(errno));
            return false;
        }
        MakeRaw(slave, options_.baud);
        fd_ = master;
        keepFd_ = slave;
        path_ = QString::fromLocal8Bit(ttyname(slave));
    } else {
        fd_ = ::open(QFile::encodeName(options_.device).constData(), O_RDWR | O_NOCTTY);
        if (fd_ < 0) {
            std::fprintf(stderr, "v7sim: %s: %s\n", qPrintable(options_.device),
                         std::strerror(errno));
            return false;
        }
        MakeRaw(fd_, options_.baud);
        path_ = options_.device;
    }
    ::fcntl(fd_, F_SETFD, FD_CLOEXEC);
    if (keepFd_ >= 0)
        ::fcntl(keepFd_, F_SETFD, FD_CLOEXEC);
    return true;
}

bool Simulator::SendAnswer() {
    const std::vector<std::uint8_t> answer = BuildAnswer(options_.names, options_.answer);
    const std::size_t chunk = std::size_t(std::max(1, options_.chunk));
    const auto start = std::chrono::steady_clock::now();
    const double secondsPerByte = 10.0 / std::max(1, options_.baud);
    for (std::size_t sent = 0; sent < answer.size() && !Stopping();) {
        const std::size_t n = std::min(chunk, answer.size() - sent);
        if (!WriteAll(fd_, answer.data() + sent, n))
            return false;
        sent += n;
        if (!options_.fast) {
            // Keep to the line's pace: byte k leaves after k byte times.
            const auto due =
                start + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                            std::chrono::duration<double>(double(sent) * secondsPerByte));
            std::this_thread::sleep_until(due);
        }
    }
    if (!Stopping())
        ++answered_;
    std::fprintf(stderr, "v7sim: answered with %zu bytes\n", answer.size());
    return true;
}

void Simulator::Linger() {
    if (keepFd_ < 0)
        return;
    for (int i = 0; i < 100 && !Stopping(); ++i) {
        int queued = 0;
        if (::ioctl(keepFd_, FIONREAD, &queued) == 0 && queued == 0)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
}

int Simulator::Run() {
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGPIPE, SIG_IGN);
    if (!Open())
        return 1;
    std::printf("%s\n", qPrintable(path_));
    std::fflush(stdout);
    return Serve();
}

int Simulator::Serve() {
    bool sawLead = false;
    std::uint8_t buffer[256];
    while (!Stopping()) {
        pollfd p{fd_, POLLIN, 0};
        const int ready = ::poll(&p, 1, 200);
        if (ready <= 0)
            continue;
        const ssize_t got = ::read(fd_, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR || errno == EAGAIN)
                continue;
            if (errno == EIO) { // nobody has the other side open just now
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
                continue;
            }
            std::fprintf(stderr, "v7sim: read: %s\n", std::strerror(errno));
            return 1;
        }
        for (ssize_t i = 0; i < got; ++i) {
            const std::uint8_t b = buffer[i];
            const bool request = sawLead && b == 0x07;
            sawLead = b == 0x00;
            if (!request)
                continue;
            std::fprintf(stderr, "v7sim: request received\n");
            if (options_.noAnswer)
                continue;
            if (!SendAnswer())
                return 1;
            if (options_.once) {
                // Stay until the other side has read the answer and closed
                // the line (closing a pseudo-terminal drops unread input).
                Linger();
                return 0;
            }
        }
    }
    return 0;
}

} // namespace v7sim
