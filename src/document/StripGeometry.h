// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The key strip's measures, in tenths of a millimetre (254 per inch), and
// their conversion to device pixels. The screen, the paper, the scroll area
// and the main window's first size are all laid out from these.

#include "document/Fields.h"
#include "platform/base/MulDiv.h"

#include <bit>
#include <cmath>
#include <cstdint>

constexpr int kStripWidth = 260;
constexpr int kFirstFieldTop = 46; // the strip's top edge to field 0's
constexpr int kFieldHeight = 70;
constexpr int kStripHeight = 1212; // the fields and the same margin below them
static_assert(kStripHeight == 2 * kFirstFieldTop + kFieldCount * kFieldHeight);
constexpr int kFooterGap = 116; // the last field to the printed title

// A length in 0.1 mm as pixels of a device with `dpi` pixels per inch, rounded.
inline int ToDevice(int tenthsMm, int dpi) {
    return MulDiv(tenthsMm, dpi, 254);
}

// Screen pixels per 0.1 mm, fixed whatever the display's resolution:
// 0.39603960514068604, a hair above 40/101, about 100.6 pixels per inch.
inline float ScreenScale() {
    return std::bit_cast<float>(std::uint32_t(0x3ECAC5B4));
}

// A length in 0.1 mm as screen pixels at the fixed scale, truncated.
inline int ScreenLength(double tenthsMm) {
    return int(std::trunc(tenthsMm * double(ScreenScale())));
}
