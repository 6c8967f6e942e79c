// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the strip is placed and drawn: the six layout values and the label
// font. A view holds these as its own members; every document file carries
// them.

#include "document/LabelFont.h"
#include "document/LayoutValues.h"
#include "platform/base/WinTypes.h"

#include <cstdint>

// The four background shades: white, light grey, grey, dark grey.
constexpr int kShadeCount = 4;
constexpr COLORREF ShadeTable[kShadeCount] = {0xFFFFFF, 0xE0E0E0, 0xC0C0C0, 0x808080};
constexpr bool IsShadeIndex(std::int32_t index) {
    return index >= 0 && index < kShadeCount;
}

struct LayoutSettings : LayoutValues {
    CLabelFont labelFont; // font of the names on screen

    // The six values alone, to compare or to set them all at once.
    LayoutValues& Values() { return *this; }
    const LayoutValues& Values() const { return *this; }
};

// A file may carry any value. A shade outside the table is drawn as the
// default grey; a scale of 0 or below is taken as 100 wherever it would
// divide or scale.
COLORREF ShadeColor(std::int32_t shadeIndex);
int UsableZoom(std::int16_t zoom);
