// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every strip-file fuzz target starts with: the bytes read as a .V7N
// file. Whatever the reader accepts must hold exactly 16 names and colours.

#include "document/V7NFile.h"
#include "platform/files/Archive.h"

#include <cstdlib>

inline bool ReadFuzzedStrip(const std::uint8_t* data, std::size_t size, StripData& strip) {
    MemoryByteStream in(data, size);
    Archive ar(in, Archive::Mode::Load);
    const bool ok = v7n::Read(ar, strip);
    ar.Close();
    if (ok && (strip.names.size() != 16 || strip.colors.size() != 16))
        std::abort();
    return ok;
}
