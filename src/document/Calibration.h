#pragma once
// Printer calibration: the test page's bars and the new margins and scales
// computed from what the user measured on it. No widget is involved.
//
// The printer is taken to put a paper position x (millimetres from the
// paper's edge) at s * x + e. The test page is printed with the current
// margins and scales; the frame's distance from the paper's edges and the
// lengths of the two bars give s and e for each direction. The new values
// keep the frame where the margins say it belongs and take the printer's
// error out. Measurements are held in hundredths of a millimetre, so that
// the computation is exact and rounds halves away from zero.

#include "document/LayoutValues.h"

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

// The four settings calibration changes; at first those of a new strip.
struct Result {
    std::int32_t leftMargin = LayoutValues{}.leftMargin;
    std::int32_t topMargin = LayoutValues{}.topMargin;
    std::int16_t zoomX = LayoutValues{}.zoomX;
    std::int16_t zoomY = LayoutValues{}.zoomY;
    bool operator==(const Result&) const = default;
};

// What the test page printed with `now` shows when `now` is right for the
// printer: the frame at the margins and both bars at their nominal length.
// Computing from these changes nothing. (A printer without any error shows
// the bars `zoom` percent of their nominal length instead.)
Measured WhenRight(const LayoutValues& now, int barBMillimetres);
// New settings from the measurements (bar lengths above zero); zooms
// limited to 1..200, margins to 0..3000.
Result Compute(const LayoutValues& now, const Measured& measured, int barBMillimetres);
// `now` with the four calibrated settings put in.
LayoutValues Applied(LayoutValues now, const Result& result);

// The profile's form, four whole numbers: "179 210 103 101". Reading
// refuses anything else and values outside the settings' ranges.
QString ToProfileText(const Result& result);
std::optional<Result> FromProfileText(const QString& text);

} // namespace calibration
