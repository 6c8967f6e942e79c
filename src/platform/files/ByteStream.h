// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The byte streams a document archive reads from or writes to: an open file
// (load and save) or a block of memory (tests and fuzzing).

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class ByteStream {
public:
    virtual ~ByteStream() = default;
    // Reads up to n bytes; answers the count (0 at the end) or -1 on error.
    virtual std::int64_t Read(void* buffer, std::size_t n) = 0;
    // Writes all n bytes or fails.
    virtual bool Write(const void* buffer, std::size_t n) = 0;
    // Bytes that reading can still supply, or -1 when unknown.
    virtual std::int64_t Remaining() const = 0;
    // Moves the read position back by n bytes (unread bytes handed back).
    virtual bool Unread(std::size_t n) = 0;
    // The system error number of the last failure, 0 when unknown.
    virtual int LastError() const { return 0; }
};

class MemoryByteStream final : public ByteStream {
public:
    MemoryByteStream() = default;
    explicit MemoryByteStream(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
    MemoryByteStream(const std::uint8_t* data, std::size_t size) : bytes_(data, data + size) {}

    std::int64_t Read(void* buffer, std::size_t n) override;
    bool Write(const void* buffer, std::size_t n) override;
    std::int64_t Remaining() const override { return std::int64_t(bytes_.size() - pos_); }
    bool Unread(std::size_t n) override;

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

// A file opened by descriptor; the stream does not own the descriptor.
class FdByteStream final : public ByteStream {
public:
    explicit FdByteStream(int fd) : fd_(fd) {}
    std::int64_t Read(void* buffer, std::size_t n) override;
    bool Write(const void* buffer, std::size_t n) override;
    std::int64_t Remaining() const override;
    bool Unread(std::size_t n) override;
    int LastError() const override { return error_; }

private:
    int fd_;
    int error_ = 0;
};
