#pragma once
// How the strip is placed and drawn. The view holds these as its own
// members; every document file carries them. Lengths are tenths of a
// millimetre (254 per inch).

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

struct LayoutSettings {
    CLabelFont labelFont; // font of the names on screen
    // A new strip's values are LayoutValues' own.
    std::int32_t textOffset = LayoutValues{}.textOffset; // indent of each name, 0.1 mm (0..200)
    // The strip's left and top edges from the paper's, 0.1 mm (0..3000).
    std::int32_t leftMargin = LayoutValues{}.leftMargin;
    std::int32_t topMargin = LayoutValues{}.topMargin;
    // Print scale, percent (1..200).
    std::int16_t zoomX = LayoutValues{}.zoomX;
    std::int16_t zoomY = LayoutValues{}.zoomY;
    std::int32_t shadeIndex = LayoutValues{}.shadeIndex; // ShadeTable entry of the odd fields
};

// A file may carry any value. A shade outside the table is drawn as the
// default grey; a scale of 0 or below is taken as 100 wherever it would
// divide or scale.
COLORREF ShadeColor(std::int32_t shadeIndex);
int UsableZoom(std::int16_t zoom);
