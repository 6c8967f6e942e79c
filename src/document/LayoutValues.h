// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The six layout settings the Options dialog changes, as one value: what an
// undo step keeps, what the document's ApplySettings takes and what a file
// carries before the font. A value made without arguments holds the
// settings of a new strip. Lengths are tenths of a millimetre.

#include <cstdint>

// Grey, the third of the four shades.
constexpr int kDefaultShadeIndex = 2;

struct LayoutValues {
    std::int32_t textOffset = 10;  // indent of each name (0..200)
    std::int32_t leftMargin = 200; // the strip's left edge from the paper's (0..3000)
    std::int32_t topMargin = 200;  // the strip's top edge from the paper's (0..3000)
    std::int16_t zoomX = 100;      // print scale, percent (1..200)
    std::int16_t zoomY = 100;
    std::int32_t shadeIndex = kDefaultShadeIndex; // ShadeTable entry of the odd fields

    bool operator==(const LayoutValues&) const = default;
};
