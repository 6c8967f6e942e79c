// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads the apparatus's answer to the request for its key names, one byte
// at a time, keeping its state from one chunk to the next:
//
//   0x00 0x08, then per key: 0x30 + key, the name (code page 850), 0x0D,
//   and a closing 0x00.
//
// Bytes before the start are ignored; a broken answer sends the parser back
// to waiting for a new start. Names arrive converted to code page 1252.

#include "document/Fields.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class AnswerParser {
public:
    enum State : std::uint8_t {
        WaitStart = 0,  // waiting for the NUL that starts an answer
        WaitHeader = 1, // start seen, waiting for 0x08
        WaitKey = 2,    // waiting for a key byte or the closing NUL
        InName = 3,     // collecting the characters of one name
        Complete = 4,   // closing NUL seen
    };
    static constexpr int kKeyCount = kFieldCount;

    // Back to waiting for a start; the names received so far stay.
    void Reset() { parserState = WaitStart; }
    void Feed(const std::uint8_t* data, std::size_t count);
    void FeedByte(std::uint8_t byte);
    bool IsComplete() const { return parserState == Complete; }

    // Exactly 16 entries from the header on; key k is field k.
    std::vector<std::string> receivedNames;
    State parserState = WaitStart;
    // Name records since the header (a key sent twice counts twice).
    int receivedCount = 0;
    int keyIndex = 0;
    int nameLength = 0;
    char nameBuffer[100] = {};
};
