// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/AnswerParser.h"

#include "platform/base/CodePage.h"

void AnswerParser::Feed(const std::uint8_t* data, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        FeedByte(data[i]);
}

void AnswerParser::FeedByte(std::uint8_t byte) {
    switch (parserState) {
    case WaitStart:
        if (byte == 0x00)
            parserState = WaitHeader;
        break;
    case WaitHeader:
        if (byte == 0x08) {
            receivedCount = 0;
            receivedNames.assign(kKeyCount, std::string());
            parserState = WaitKey;
        } else {
            parserState = WaitStart;
        }
        break;
    case WaitKey:
        if (byte >= 0x30 && byte <= 0x3F) {
            keyIndex = byte - 0x30;
            nameLength = 0;
            parserState = InName;
        } else if (byte == 0x00) {
            parserState = Complete;
        } else {
            parserState = WaitStart;
        }
        break;
    case InName:
        if (byte == 0x0D) {
            nameBuffer[nameLength] = 0;
            receivedNames[std::size_t(keyIndex)] =
                codepage::OemToAnsi(std::string_view(nameBuffer, std::size_t(nameLength)));
            ++receivedCount;
            parserState = WaitKey;
        } else if (byte >= 0x20) {
            // Control bytes are skipped; past 98 characters the rest is dropped.
            if (nameLength < kMaxNameLength)
                nameBuffer[nameLength++] = char(byte);
        }
        break;
    case Complete:
        break;
    }
}
