// SPDX-License-Identifier: GPL-3.0-or-later
// Any file the reader accepts must save to bytes that read back to the same
// document and settings.

#include "FuzzStrip.h"
#include "document/LayoutSettings.h"
#include "document/V7NFile.h"
#include "platform/files/Archive.h"

#include <cstdlib>
#include <cstring>

namespace {

bool SameStrip(const StripData& a, const StripData& b) {
    return a.layout == b.layout && std::memcmp(&a.font, &b.font, sizeof a.font) == 0 &&
           a.colors == b.colors && a.names == b.names;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    StripData strip;
    if (!ReadFuzzedStrip(data, size, strip))
        return 0;

    LayoutSettings settings;
    v7n::ApplySettings(strip, settings);
    MemoryByteStream out;
    Archive writer(out, Archive::Mode::Store);
    v7n::Write(writer, settings, strip.colors, strip.names);
    writer.Close();

    MemoryByteStream again(out.Bytes());
    Archive reader(again, Archive::Mode::Load);
    StripData second;
    if (!v7n::Read(reader, second) || !SameStrip(strip, second))
        std::abort();
    return 0;
}
