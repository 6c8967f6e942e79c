// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/InPlaceWrite.h"

#include "platform/files/FileFaults.h"

#include <algorithm>
#include <cerrno>
#include <unistd.h>

namespace inplace {
namespace {

// Large content goes in pieces, each a step the fault injector can stop,
// as a kill can stop a large write between its pages.
constexpr std::size_t kPiece = 65536;

int Checked(bool checked, fault::Step step) {
    return checked ? fault::Check(step) : 0;
}

int WriteAt(int fd, const std::uint8_t* data, std::size_t size, std::size_t at, bool checked) {
    std::size_t done = 0;
    while (done < size) {
        if (int e = Checked(checked, fault::Step::Write))
            return e;
        const std::size_t piece = std::min(kPiece, size - done);
        std::size_t put = 0;
        while (put < piece) {
            const ssize_t n = ::pwrite(fd, data + done + put, piece - put, off_t(at + done + put));
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return errno ? errno : EIO;
            }
            put += std::size_t(n);
        }
        done += piece;
    }
    return 0;
}

int Sync(int fd, bool checked) {
    if (int e = Checked(checked, fault::Step::Sync))
        return e;
    return ::fsync(fd) == 0 ? 0 : errno;
}

} // namespace

int Put(int fd, const std::vector<std::uint8_t>& content, const std::vector<std::uint8_t>& head,
        bool checked) {
    const std::uint8_t* data = content.data();
    const std::size_t size = content.size();
    const std::size_t first = std::min(size, kPage);
    const bool guarded = size > kPage && !head.empty() && head.size() <= kPage;
    if (guarded) {
        // Synced before the rest, so that even the disk never holds the
        // rest behind the old start.
        if (int e = WriteAt(fd, head.data(), head.size(), 0, checked))
            return e;
        if (int e = Sync(fd, checked))
            return e;
    }
    if (size > first) {
        if (int e = WriteAt(fd, data + first, size - first, first, checked))
            return e;
        if (int e = Sync(fd, checked))
            return e;
    }
    if (int e = WriteAt(fd, data, first, 0, checked))
        return e;
    if (int e = Checked(checked, fault::Step::Flush))
        return e;
    if (::ftruncate(fd, off_t(size)) != 0)
        return errno;
    return Sync(fd, checked);
}

} // namespace inplace
