// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/Archive.h"

#include "platform/base/CodePage.h"

#include <algorithm>
#include <cstring>

void Archive::Fail(Error error) {
    if (error_ == Error::None)
        error_ = error;
}

// ---- storing ----

void Archive::FlushBuffer() {
    if (end_ == 0 || !Ok())
        return;
    if (!stream_.Write(buffer_.data(), end_)) {
        systemError_ = stream_.LastError();
        Fail(Error::WriteFailed);
    }
    end_ = 0;
}

void Archive::WriteRaw(const void* bytes, std::size_t n) {
    const auto* p = static_cast<const std::uint8_t*>(bytes);
    while (n > 0 && Ok()) {
        if (end_ == kBufferSize)
            FlushBuffer();
        const std::size_t chunk = std::min(n, kBufferSize - end_);
        std::memcpy(buffer_.data() + end_, p, chunk);
        end_ += chunk;
        p += chunk;
        n -= chunk;
    }
}

void Archive::WriteU8(std::uint8_t v) {
    WriteRaw(&v, 1);
}

void Archive::WriteU16(std::uint16_t v) {
    const std::uint8_t b[2] = {std::uint8_t(v), std::uint8_t(v >> 8)};
    WriteRaw(b, 2);
}

void Archive::WriteU32(std::uint32_t v) {
    const std::uint8_t b[4] = {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16),
                               std::uint8_t(v >> 24)};
    WriteRaw(b, 4);
}

void Archive::WriteArrayCount(std::uint32_t n) {
    if (n < 0xFFFF) {
        WriteU16(std::uint16_t(n));
    } else {
        WriteU16(0xFFFF);
        WriteU32(n);
    }
}

void Archive::WriteText(std::string_view text) {
    const std::size_t len = text.size();
    if (len < 0xFF) {
        WriteU8(std::uint8_t(len));
    } else if (len < 0xFFFE) {
        WriteU8(0xFF);
        WriteU16(std::uint16_t(len));
    } else {
        WriteU8(0xFF);
        WriteU16(0xFFFF);
        WriteU32(std::uint32_t(len));
    }
    WriteRaw(text.data(), len);
}

// ---- loading ----

std::int64_t Archive::Available() const {
    const std::int64_t rest = stream_.Remaining();
    if (rest < 0)
        return -1;
    return rest + std::int64_t(end_ - begin_);
}

bool Archive::AtEnd() {
    if (!Ok())
        return false;
    if (end_ > begin_)
        return false;
    begin_ = end_ = 0;
    const std::int64_t got = stream_.Read(buffer_.data(), kBufferSize);
    if (got < 0) {
        systemError_ = stream_.LastError();
        Fail(Error::ReadFailed);
        return false;
    }
    end_ = std::size_t(got);
    return got == 0;
}

bool Archive::Fill(std::size_t need) {
    if (!Ok())
        return false;
    if (end_ - begin_ >= need)
        return true;
    // Move what is left to the front, then top the buffer up from the file.
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
    while (end_ < need) {
        const std::int64_t got = stream_.Read(buffer_.data() + end_, kBufferSize - end_);
        if (got < 0) {
            systemError_ = stream_.LastError();
            Fail(Error::ReadFailed);
            return false;
        }
        if (got == 0) {
            Fail(Error::EndOfFile);
            return false;
        }
        end_ += std::size_t(got);
    }
    return true;
}

std::uint8_t Archive::ReadU8() {
    if (!Fill(1))
        return 0;
    return buffer_[begin_++];
}

std::uint16_t Archive::ReadU16() {
    if (!Fill(2))
        return 0;
    const std::uint16_t v = std::uint16_t(buffer_[begin_] | (buffer_[begin_ + 1] << 8));
    begin_ += 2;
    return v;
}

std::uint32_t Archive::ReadU32() {
    if (!Fill(4))
        return 0;
    const std::uint32_t v =
        std::uint32_t(buffer_[begin_]) | (std::uint32_t(buffer_[begin_ + 1]) << 8) |
        (std::uint32_t(buffer_[begin_ + 2]) << 16) | (std::uint32_t(buffer_[begin_ + 3]) << 24);
    begin_ += 4;
    return v;
}

std::size_t Archive::ReadRaw(void* bytes, std::size_t n) {
    if (!Ok())
        return 0;
    auto* p = static_cast<std::uint8_t*>(bytes);
    std::size_t done = std::min(n, end_ - begin_);
    std::memcpy(p, buffer_.data() + begin_, done);
    begin_ += done;
    while (done < n) {
        if (n - done >= kBufferSize) {
            // Large blocks go straight to their destination.
            const std::int64_t got = stream_.Read(p + done, n - done);
            if (got < 0) {
                systemError_ = stream_.LastError();
                Fail(Error::ReadFailed);
                break;
            }
            if (got == 0)
                break;
            done += std::size_t(got);
            continue;
        }
        begin_ = end_ = 0;
        const std::int64_t got = stream_.Read(buffer_.data(), kBufferSize);
        if (got < 0) {
            systemError_ = stream_.LastError();
            Fail(Error::ReadFailed);
            break;
        }
        if (got == 0)
            break;
        end_ = std::size_t(got);
        const std::size_t chunk = std::min(n - done, end_);
        std::memcpy(p + done, buffer_.data(), chunk);
        begin_ = chunk;
        done += chunk;
    }
    return done;
}

std::uint32_t Archive::ReadArrayCount() {
    const std::uint16_t w = ReadU16();
    if (w != 0xFFFF)
        return w;
    return ReadU32();
}

std::uint64_t Archive::ReadLength(bool allowMarker, bool& utf16) {
    const std::uint8_t b = ReadU8();
    if (b < 0xFF)
        return b;
    const std::uint16_t w = ReadU16();
    if (w == 0xFFFE) {
        if (!allowMarker) {
            // A second marker where a length should follow the first one.
            Fail(Error::BadFormat);
            return 0;
        }
        utf16 = true;
        return ReadLength(false, utf16);
    }
    if (w == 0xFFFF)
        return ReadU32();
    return w;
}

bool Archive::ReadExact(std::string& out, std::uint64_t bytes) {
    // Never allocate for more than the file can still supply. What the
    // buffer already holds needs no asking (a whole strip file fits in it).
    const std::uint64_t buffered = end_ - begin_;
    const std::int64_t available = bytes <= buffered ? std::int64_t(buffered) : Available();
    if (available >= 0 && bytes > std::uint64_t(available)) {
        Fail(Error::EndOfFile);
        return false;
    }
    if (available >= 0) {
        out.resize(std::size_t(bytes));
        if (ReadRaw(out.data(), out.size()) != out.size()) {
            Fail(Error::EndOfFile);
            return false;
        }
        return Ok();
    }
    // Unknown size: grow with what actually arrives.
    out.clear();
    constexpr std::size_t kChunk = 65536;
    while (out.size() < bytes) {
        const std::size_t want = std::size_t(std::min<std::uint64_t>(kChunk, bytes - out.size()));
        const std::size_t old = out.size();
        out.resize(old + want);
        const std::size_t got = ReadRaw(out.data() + old, want);
        if (got != want) {
            Fail(Error::EndOfFile);
            return false;
        }
    }
    return Ok();
}

std::string Archive::ReadText(std::uint64_t maxStoredBytes) {
    bool utf16 = false;
    const std::uint64_t length = ReadLength(true, utf16);
    if (!Ok() || length == 0)
        return {};
    // A 32-bit length doubled still fits 64 bits.
    const std::uint64_t stored = utf16 ? length * 2 : length;
    if (stored > maxStoredBytes) {
        Fail(Error::BadFormat);
        return {};
    }
    std::string raw;
    if (!ReadExact(raw, stored))
        return {};
    if (!utf16)
        return raw;
    std::u16string units;
    units.reserve(std::size_t(length));
    for (std::size_t i = 0; i + 1 < raw.size(); i += 2) {
        const char16_t u = char16_t(std::uint8_t(raw[i]) | (std::uint8_t(raw[i + 1]) << 8));
        if (u == 0)
            break;
        units.push_back(u);
    }
    return codepage::Utf16ToCp1252(units);
}

void Archive::Close() {
    if (IsStoring()) {
        FlushBuffer();
        return;
    }
    if (end_ > begin_)
        stream_.Unread(end_ - begin_);
    begin_ = end_ = 0;
}
