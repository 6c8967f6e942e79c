// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/LayoutSettings.h"

COLORREF ShadeColor(std::int32_t shadeIndex) {
    if (!IsShadeIndex(shadeIndex))
        return ShadeTable[kDefaultShadeIndex];
    return ShadeTable[shadeIndex];
}

int UsableZoom(std::int16_t zoom) {
    return zoom > 0 ? zoom : 100;
}
