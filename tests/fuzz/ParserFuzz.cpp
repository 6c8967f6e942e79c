// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the answer parser, once whole and once in
// chunks cut at places the input itself chooses. Both must end in the same
// state with the same names, and never more than 16 names of 98 characters.

#include "device/AnswerParser.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    // The first byte seeds the chunk sizes, the rest is the line's data.
    unsigned seed = data[0] | 1u;
    const std::uint8_t* line = data + 1;
    const std::size_t length = size - 1;

    AnswerParser whole;
    whole.Feed(line, length);

    AnswerParser chunked;
    for (std::size_t at = 0; at < length;) {
        seed = seed * 1103515245u + 12345u;
        const std::size_t n = std::min<std::size_t>(1 + (seed >> 16) % 100, length - at);
        chunked.Feed(line + at, n);
        at += n;
    }
    if (whole.parserState != chunked.parserState || whole.receivedNames != chunked.receivedNames ||
        whole.receivedCount != chunked.receivedCount)
        std::abort();
    if (!whole.receivedNames.empty() && whole.receivedNames.size() != 16)
        std::abort();
    for (const std::string& name : whole.receivedNames)
        if (name.size() > 98)
            std::abort();
    return 0;
}
