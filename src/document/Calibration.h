// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Printer calibration: the test page's bars and the printer's correction
// computed from what the user measured on it. No widget is involved.
//
// The printer is taken to put a paper position p (millimetres from the
// paper's corner) at s * p + e. The test page is printed with the strip's
// margins and scales and with the correction the printer has so far; the
// frame's distance from the paper's edges and the lengths of the two bars
// give s and e for each direction, the correction the page was printed
// with included. The strip's own margins and scales stay as they are:
// they say where the strip belongs, the correction belongs to the printer.

#include "document/LayoutValues.h"
#include "platform/draw/PaperCorrection.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace calibration {

// Nominal length of bar A (horizontal), before the horizontal scale.
constexpr int kBarAMillimetres = 100;
// Nominal length of bar B (vertical): 200 mm, or 100 mm where 200 mm would
// run past the page's printable bottom (tenths of a millimetre from the
// paper's top edge; 0 or less when unknown).
int BarBMillimetres(std::int32_t topMargin, std::int16_t zoomY, std::int32_t pageBottomTenths);

// What the user measured, in hundredths of a millimetre: the frame's
// distance from the paper's left and top edges and the bars' lengths.
struct Measured {
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t barA = 0;
    std::int64_t barB = 0;
    bool operator==(const Measured&) const = default;
};

// What a perfect print of the test page shows: the frame at the strip's
// margins and both bars at their length at the strip's scales. Computing
// from these keeps the correction the page was printed with.
Measured WhenRight(const LayoutValues& now, int barBMillimetres);
// The printer's correction from a test page printed with `now` and the
// correction `used` (bar lengths above zero). Scales are kept within
// 50..200 %, offsets within 100 mm, both to 0.01.
PaperCorrection Correct(const LayoutValues& now, const PaperCorrection& used,
                        const Measured& measured, int barBMillimetres);

// The profile's form: the scales in percent and the offsets in millimetres,
// two decimals each, "101.00 1.30 99.00 -0.80". Reading refuses anything
// else and values outside the limits above.
QString ToProfileText(const PaperCorrection& correction);
std::optional<PaperCorrection> FromProfileText(const QString& text);

} // namespace calibration
