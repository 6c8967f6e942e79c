// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/ByteStream.h"

#include "platform/files/FileFaults.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

std::int64_t MemoryByteStream::Read(void* buffer, std::size_t n) {
    const std::size_t count = std::min(n, bytes_.size() - pos_);
    if (count)
        std::memcpy(buffer, bytes_.data() + pos_, count);
    pos_ += count;
    return std::int64_t(count);
}

bool MemoryByteStream::Write(const void* buffer, std::size_t n) {
    const auto* p = static_cast<const std::uint8_t*>(buffer);
    bytes_.insert(bytes_.end(), p, p + n);
    return true;
}

bool MemoryByteStream::Unread(std::size_t n) {
    if (n > pos_)
        return false;
    pos_ -= n;
    return true;
}

std::int64_t FdByteStream::Read(void* buffer, std::size_t n) {
    auto* p = static_cast<char*>(buffer);
    std::size_t total = 0;
    while (total < n) {
        const ssize_t got = ::read(fd_, p + total, n - total);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            error_ = errno;
            return -1;
        }
        if (got == 0)
            break;
        total += std::size_t(got);
    }
    return std::int64_t(total);
}

bool FdByteStream::Write(const void* buffer, std::size_t n) {
    const auto* p = static_cast<const char*>(buffer);
    while (n > 0) {
        if (int e = fault::Check(fault::Step::Write)) {
            error_ = e;
            return false;
        }
        const ssize_t put = ::write(fd_, p, n);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            error_ = errno;
            return false;
        }
        p += put;
        n -= std::size_t(put);
    }
    return true;
}

std::int64_t FdByteStream::Remaining() const {
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode))
        return -1;
    const off_t pos = ::lseek(fd_, 0, SEEK_CUR);
    if (pos < 0)
        return -1;
    return st.st_size > pos ? std::int64_t(st.st_size - pos) : 0;
}

bool FdByteStream::Unread(std::size_t n) {
    return ::lseek(fd_, -off_t(n), SEEK_CUR) >= 0;
}
