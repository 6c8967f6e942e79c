// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the strip file reader: every path, UTF-16 names
// and counts included. Whatever it accepts must hold 16 names and 16 colours.

#include "FuzzStrip.h"
#include "document/LayoutSettings.h"
#include "document/V7NFile.h"
#include "platform/files/Archive.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    StripData strip;
    if (!ReadFuzzedStrip(data, size, strip))
        return 0;

    // What the loader accepts can be applied to a view's settings as it stands.
    LayoutSettings settings;
    v7n::ApplySettings(strip, settings);
    (void)ShadeColor(settings.shadeIndex);
    (void)UsableZoom(strip.layout.zoomX);
    return 0;
}
