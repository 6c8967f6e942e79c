// Feeds arbitrary bytes to the strip file reader: every path, UTF-16 names
// and counts included. Whatever it accepts must hold 16 names and 16 colours.

#include "document/LayoutSettings.h"
#include "document/V7NFile.h"
#include "platform/Archive.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemoryByteStream in(data, size);
    Archive ar(in, Archive::Mode::Load);
    StripData strip;
    const bool ok = v7n::Read(ar, strip);
    ar.Close();
    if (!ok)
        return 0;
    if (strip.names.size() != 16 || strip.colors.size() != 16)
        std::abort();

    // What the loader accepts can be applied to a view's settings as it stands.
    LayoutSettings settings;
    settings.textOffset = strip.textOffset;
    settings.shadeIndex = strip.shadeIndex;
    settings.labelFont.CreateFontIndirect(strip.font);
    (void)ShadeColor(settings.shadeIndex);
    (void)UsableZoom(strip.zoomX);
    return 0;
}
