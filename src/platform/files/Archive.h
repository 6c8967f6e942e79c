// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The buffered byte stream through which a document file is written or
// read: little-endian fixed-width values, raw blocks, element counts and
// length-prefixed texts, all through one 4096-byte buffer.
//
// Errors are sticky: after the first failure every further read answers
// zero without touching the file, and the caller checks Ok() at the end.

#include "platform/files/ByteStream.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

class Archive {
public:
    enum class Mode { Store, Load };
    enum class Error {
        None,
        EndOfFile,   // the file ends before its content does
        BadFormat,   // a length form no writer produces, or a text beyond its bound
        ReadFailed,  // the system refused a read
        WriteFailed, // the system refused a write
    };
    static constexpr std::size_t kBufferSize = 4096;

    Archive(ByteStream& stream, Mode mode) : stream_(stream), mode_(mode) {}
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;

    bool IsStoring() const { return mode_ == Mode::Store; }
    bool Ok() const { return error_ == Error::None; }
    Error GetError() const { return error_; }
    int SystemError() const { return systemError_; }

    // Storing
    void WriteU8(std::uint8_t v);
    void WriteU16(std::uint16_t v);
    void WriteU32(std::uint32_t v);
    void WriteI16(std::int16_t v) { WriteU16(std::uint16_t(v)); }
    void WriteI32(std::int32_t v) { WriteU32(std::uint32_t(v)); }
    void WriteRaw(const void* bytes, std::size_t n);
    void WriteArrayCount(std::uint32_t n);
    void WriteText(std::string_view text);

    // Loading
    std::uint8_t ReadU8();
    std::uint16_t ReadU16();
    std::uint32_t ReadU32();
    std::int16_t ReadI16() { return std::int16_t(ReadU16()); }
    std::int32_t ReadI32() { return std::int32_t(ReadU32()); }
    // Reads up to n bytes and answers how many arrived; a short count is no
    // error by itself.
    std::size_t ReadRaw(void* bytes, std::size_t n);
    std::uint32_t ReadArrayCount();
    // A length-prefixed text; UTF-16 texts come back in code page 1252. A
    // text that takes more than maxStoredBytes in the file (two bytes per
    // code unit for UTF-16 text) fails the load as BadFormat before anything
    // is allocated for it.
    std::string ReadText(std::uint64_t maxStoredBytes);

    // Bytes that loading can still supply (buffer and file), or -1 when the
    // stream cannot tell.
    std::int64_t Available() const;
    // Loading: whether the file holds no byte after those read; asks the
    // file itself rather than trusting its size.
    bool AtEnd();
    // Marks the load as failed because the file cannot be what it claims.
    void Fail(Error error);

    // Storing: writes out the buffer. Loading: hands unread bytes back.
    void Close();

private:
    bool Fill(std::size_t need);
    void FlushBuffer();
    std::uint64_t ReadLength(bool allowMarker, bool& utf16);
    bool ReadExact(std::string& out, std::uint64_t bytes);

    ByteStream& stream_;
    Mode mode_;
    Error error_ = Error::None;
    int systemError_ = 0;
    std::array<std::uint8_t, kBufferSize> buffer_{};
    std::size_t begin_ = 0; // loading: next unread byte
    std::size_t end_ = 0;   // loading: end of valid bytes; storing: bytes held
};
