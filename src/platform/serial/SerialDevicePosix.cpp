// SPDX-License-Identifier: GPL-3.0-or-later
// The serial device over termios. Ports are opened non-blocking, so a read
// never waits for data; writes wait for room with poll() and give up at the
// write time-out.

#include "platform/serial/SerialDevice.h"
#include "platform/serial/SerialTermios.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#ifdef __linux__
#include <linux/serial.h>
#endif

namespace {

using Clock = std::chrono::steady_clock;

// The longest a waiting write goes without looking whether it is to give up.
constexpr std::int64_t kAbortCheckMs = 10;

bool Fail(int error) {
    SetSerialLastError(error);
    return false;
}

// Modem-line calls are refused by devices without modem lines (ptys, USB
// adapters without them); that is no failure of the caller's request.
bool NoModemLines(int error) {
    return error == ENOTTY || error == EINVAL || error == EOPNOTSUPP;
}

class PosixSerialDevice final : public SerialDevice {
public:
    explicit PosixSerialDevice(int fd) : fd_(fd) { ReadCounters(lastCounts_); }
    ~PosixSerialDevice() override;

    bool SetupComm(DWORD inQueue, DWORD outQueue) override;
    bool SetCommTimeouts(const COMMTIMEOUTS& timeouts) override;
    bool GetCommState(DCB& dcb) override;
    bool SetCommState(const DCB& dcb) override;
    bool PurgeComm(DWORD flags) override;
    bool ReadFile(void* buffer, DWORD size, DWORD& read) override;
    bool WriteFile(const void* data, DWORD size, DWORD& written) override;
    bool ClearCommError(DWORD& errors) override;
    void AbortWrites() override { aborted_.store(true); }

private:
    struct Counts {
        bool valid = false;
        long frame = 0, overrun = 0, parity = 0, brk = 0, bufOverrun = 0;
    };
    bool ReadCounters(Counts& counts) const;
    bool HungUp() const;
    // Waits until the written bytes have left the device or `deadline`.
    bool Drain(DWORD size, DWORD& written, bool bounded, Clock::time_point deadline);

    int fd_;
    COMMTIMEOUTS timeouts_{};
    // Settings the system keeps no place for; kept so that GetCommState
    // answers what SetCommState was given.
    DCB accepted_{};
    Counts lastCounts_;
    std::atomic<bool> aborted_{false};
};

PosixSerialDevice::~PosixSerialDevice() {
    ::ioctl(fd_, TIOCNXCL);
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
}

bool PosixSerialDevice::SetupComm(DWORD, DWORD) {
    return true;
}

bool PosixSerialDevice::SetCommTimeouts(const COMMTIMEOUTS& timeouts) {
    timeouts_ = timeouts;
    return true;
}

bool PosixSerialDevice::GetCommState(DCB& dcb) {
    termios t{};
    if (::tcgetattr(fd_, &t) != 0)
        return Fail(errno);
    dcb = accepted_;
    int lines = 0;
    if (::ioctl(fd_, TIOCMGET, &lines) == 0) {
        dcb.fDtrControl = (lines & TIOCM_DTR) ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE;
        dcb.fRtsControl = (lines & TIOCM_RTS) ? RTS_CONTROL_ENABLE : RTS_CONTROL_DISABLE;
    }
    DcbFromTermios(t, dcb);
    return true;
}

bool PosixSerialDevice::SetCommState(const DCB& dcb) {
    termios t{};
    if (::tcgetattr(fd_, &t) != 0)
        return Fail(errno);
    if (const int error = TermiosFromDcb(dcb, t))
        return Fail(error);
    if (::tcsetattr(fd_, TCSANOW, &t) != 0)
        return Fail(errno);

    int dtr = TIOCM_DTR;
    if (::ioctl(fd_, dcb.fDtrControl == DTR_CONTROL_DISABLE ? TIOCMBIC : TIOCMBIS, &dtr) != 0 &&
        !NoModemLines(errno))
        return Fail(errno);
    int rts = TIOCM_RTS;
    if (::ioctl(fd_, dcb.fRtsControl == RTS_CONTROL_DISABLE ? TIOCMBIC : TIOCMBIS, &rts) != 0 &&
        !NoModemLines(errno))
        return Fail(errno);
    accepted_ = dcb;
    return true;
}

bool PosixSerialDevice::PurgeComm(DWORD flags) {
    // Reads and writes are synchronous, so there is nothing in flight to abort.
    const bool in = flags & PURGE_RXCLEAR;
    const bool out = flags & PURGE_TXCLEAR;
    if (!in && !out)
        return true;
    if (::tcflush(fd_, in && out ? TCIOFLUSH : in ? TCIFLUSH : TCOFLUSH) != 0)
        return Fail(errno);
    return true;
}

bool PosixSerialDevice::HungUp() const {
    pollfd p{fd_, POLLIN, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & POLLHUP);
}

bool PosixSerialDevice::ReadFile(void* buffer, DWORD size, DWORD& read) {
    read = 0;
    if (size == 0)
        return true;
    const bool immediate = timeouts_.ReadIntervalTimeout == MAXDWORD &&
                           timeouts_.ReadTotalTimeoutMultiplier == 0 &&
                           timeouts_.ReadTotalTimeoutConstant == 0;
    const std::uint64_t total = timeouts_.ReadTotalTimeoutConstant +
                                std::uint64_t(size) * timeouts_.ReadTotalTimeoutMultiplier;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(total);
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, size);
        if (n > 0) {
            read = DWORD(n);
            return true;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            return Fail(errno);
        // Nothing there. A device whose other side is gone (line hung up, USB
        // adapter pulled) also reads nothing, for ever: that is a failure.
        if (HungUp())
            return Fail(EIO);
        if (immediate)
            return true;
        int wait = -1;
        if (total != 0) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0)
                return true;
            wait = int(std::min<std::int64_t>(left.count(), 1000));
        }
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, wait) < 0 && errno != EINTR)
            return Fail(errno);
    }
}

bool PosixSerialDevice::WriteFile(const void* data, DWORD size, DWORD& written) {
    written = 0;
    const bool bounded =
        timeouts_.WriteTotalTimeoutConstant != 0 || timeouts_.WriteTotalTimeoutMultiplier != 0;
    const Clock::time_point deadline =
        Clock::now() +
        std::chrono::milliseconds(timeouts_.WriteTotalTimeoutConstant +
                                  std::uint64_t(size) * timeouts_.WriteTotalTimeoutMultiplier);
    const auto* bytes = static_cast<const unsigned char*>(data);
    while (written < size) {
        if (aborted_.load())
            return Fail(ECANCELED);
        const ssize_t n = ::write(fd_, bytes + written, size - written);
        if (n > 0) {
            written += DWORD(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return Fail(errno);
        // No room: the queue is full, or flow control holds the output.
        // Waited for in short slices, so that an abort is seen at once.
        int wait = int(kAbortCheckMs);
        if (bounded) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0)
                return Fail(ETIMEDOUT);
            wait = int(std::min<std::int64_t>(left.count() + 1, kAbortCheckMs));
        }
        pollfd p{fd_, POLLOUT, 0};
        const int r = ::poll(&p, 1, wait);
        if (r < 0 && errno != EINTR)
            return Fail(errno);
        if (r > 0 && !(p.revents & POLLOUT) && (p.revents & (POLLERR | POLLHUP | POLLNVAL)))
            return Fail(p.revents & POLLNVAL ? EBADF : EIO);
    }
    return Drain(size, written, bounded, deadline);
}

bool PosixSerialDevice::Drain(DWORD size, DWORD& written, bool bounded,
                              Clock::time_point deadline) {
    // Bytes in the driver's queue have not gone out yet; held by XOFF or CTS
    // they may never go. The write counts as done only once they have left.
    for (;;) {
        int queued = 0;
        if (::ioctl(fd_, TIOCOUTQ, &queued) != 0 || queued <= 0)
            return true;
        const bool aborted = aborted_.load();
        if (aborted || (bounded && Clock::now() >= deadline)) {
            written = size - std::min<DWORD>(DWORD(queued), size);
            return Fail(aborted ? ECANCELED : ETIMEDOUT);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

bool PosixSerialDevice::ReadCounters(Counts& counts) const {
#ifdef __linux__
    serial_icounter_struct c{};
    if (::ioctl(fd_, TIOCGICOUNT, &c) != 0)
        return false;
    counts = {true, c.frame, c.overrun, c.parity, c.brk, c.buf_overrun};
    return true;
#else
    (void)counts;
    errno = ENOTTY;
    return false;
#endif
}

bool PosixSerialDevice::ClearCommError(DWORD& errors) {
    errors = 0;
    Counts now;
    if (ReadCounters(now)) {
        if (lastCounts_.valid) {
            if (now.frame != lastCounts_.frame)
                errors |= CE_FRAME;
            if (now.overrun != lastCounts_.overrun)
                errors |= CE_OVERRUN;
            if (now.parity != lastCounts_.parity)
                errors |= CE_RXPARITY;
            if (now.brk != lastCounts_.brk)
                errors |= CE_BREAK;
            if (now.bufOverrun != lastCounts_.bufOverrun)
                errors |= CE_RXOVER;
        }
        lastCounts_ = now;
    } else if (!NoModemLines(errno)) {
        return Fail(errno);
    }
    return true;
}

} // namespace

std::unique_ptr<SerialDevice> SerialDevice::Open(const std::string& path) {
    if (path.empty()) {
        SetSerialLastError(ENOENT);
        return nullptr;
    }
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        SetSerialLastError(errno);
        return nullptr;
    }
    // The lock holds against every opener, root included; the terminal's own
    // exclusive mode keeps out other users' programs that take no lock.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno == EWOULDBLOCK ? EBUSY : errno;
        ::close(fd);
        SetSerialLastError(error);
        return nullptr;
    }
#ifdef TIOCGEXCL
    // Root passes another program's exclusive mode; honour it all the same.
    int held = 0;
    if (::ioctl(fd, TIOCGEXCL, &held) == 0 && held) {
        ::close(fd);
        SetSerialLastError(EBUSY);
        return nullptr;
    }
#endif
    // Devices that are no terminals refuse this; the lock still holds.
    ::ioctl(fd, TIOCEXCL);
    return std::make_unique<PosixSerialDevice>(fd);
}

std::string DefaultComDeviceName(int n) {
    return "/dev/ttyS" + std::to_string(n - 1);
}
