// SPDX-License-Identifier: GPL-3.0-or-later
// The printer's correction from a measured test page, and the paper
// mapping that takes it out of what a context draws.

#include "document/Calibration.h"
#include "PaperDc.h"
#include "document/SettingsView.h"
#include "paint/StripPainter.h"

#include <cmath>
#include <gtest/gtest.h>

using calibration::Correct;
using calibration::Measured;

namespace {

LayoutValues Settings(std::int32_t left, std::int32_t top, std::int16_t zx, std::int16_t zy) {
    LayoutValues v;
    v.leftMargin = left;
    v.topMargin = top;
    v.zoomX = zx;
    v.zoomY = zy;
    return v;
}

// Millimetres to the hundredths the computation takes.
Measured Mm(double a, double b, double mx, double my) {
    const auto h = [](double mm) { return std::int64_t(mm * 100 + 0.5); };
    return {h(a), h(b), h(mx), h(my)};
}

void ExpectNear(const PaperCorrection& c, double sx, double ex, double sy, double ey) {
    EXPECT_NEAR(c.sx, sx, 1e-9);
    EXPECT_NEAR(c.ex, ex, 1e-9);
    EXPECT_NEAR(c.sy, sy, 1e-9);
    EXPECT_NEAR(c.ey, ey, 1e-9);
}

} // namespace

TEST(Calibration, WorkedExampleAndMeasuringAgainNeverDrifts) {
    // At the defaults on a printer without a correction: 20 mm landed at
    // 21.5 across and 19 down, bar A came out 101 mm, bar B 198 mm. So the
    // printer puts p at 1.01 p + 1.3 across (21.5 - 1.01 * 20) and at
    // 0.99 p - 0.8 down (19 - 0.99 * 20).
    const LayoutValues defaults;
    const PaperCorrection c = Correct(defaults, {}, Mm(21.5, 19, 101, 198), 200);
    ExpectNear(c, 1.01, 1.3, 0.99, -0.8);
    // The same printer measured again on a page printed with that
    // correction lands right: the correction stays as it was.
    ExpectNear(Correct(defaults, c, Mm(20, 20, 100, 200), 200), 1.01, 1.3, 0.99, -0.8);
    // What the fields start with changes nothing, for any strip and any
    // correction the page was printed with.
    const LayoutValues odd = Settings(150, 250, 97, 103);
    for (const LayoutValues& v : {defaults, odd})
        for (const PaperCorrection& used : {PaperCorrection{}, c})
            EXPECT_EQ(Correct(v, used, calibration::WhenRight(v, 200), 200), used);
    // A perfect page of a scaled strip shows the bars at the strip's scales.
    EXPECT_EQ(calibration::WhenRight(odd, 200), Mm(15, 25, 97, 206));

    // Composition: the page of the odd strip printed with c, and the
    // printer that has drifted since by 0.5 mm across (its corner, sent to
    // (15 - 1.3) / 1.01 = 13.564 mm, now lands at 15.5).
    ExpectNear(Correct(odd, c, Mm(15.5, 25, 97, 206), 200), 1.01, 1.8, 0.99, -0.8);

    // Scales within 50..200 %, offsets within 100 mm.
    const PaperCorrection wild = Correct(defaults, {}, Mm(390, 0, 1, 401), 200);
    ExpectNear(wild, 0.5, 100, 2, -40);

    // Bar B is short where 200 mm would leave the printable page.
    EXPECT_EQ(calibration::BarBMillimetres(200, 100, 2970), 200);
    EXPECT_EQ(calibration::BarBMillimetres(971, 100, 2970), 100);
    EXPECT_EQ(calibration::BarBMillimetres(2500, 200, 0), 200) << "page unknown";

    // The profile keeps the four numbers to 0.01 % and 0.01 mm.
    EXPECT_EQ(calibration::ToProfileText(c), "101.00 1.30 99.00 -0.80");
    ASSERT_TRUE(calibration::FromProfileText("101.00 1.30 99.00 -0.80"));
    ExpectNear(*calibration::FromProfileText("101.00 1.30 99.00 -0.80"), 1.01, 1.3, 0.99, -0.8);
    for (const char* bad : {"", "101 1.3 99", "101 1.3 99 0 1", "49.99 0 100 0", "100 100.01 100 0",
                            "100 0 100 x", "nan 0 100 0", "179 210 103 101"})
        EXPECT_FALSE(calibration::FromProfileText(bad)) << bad;
}

TEST(Calibration, ACorrectedPageSendsTheFrameWhereThePrinterPutsItRight) {
    // At 600 dots per inch a millimetre is 23.62 pixels. With the worked
    // example's correction the frame's corner is sent to (20 - 1.3) / 1.01
    // = 18.51 and (20 + 0.8) / 0.99 = 21.01 mm, the frame 26 / 1.01 = 25.74
    // by 121.2 / 0.99 = 122.42 mm; a printing offset moves nothing on the
    // paper.
    for (const POINT offset : {POINT{0, 0}, POINT{60, 40}}) {
        PaperDc paper(600, offset, true, QSize(1200, 3500));
        DeviceContext::Attributes a;
        a.dpiX = a.dpiY = 600;
        a.isPrinter = true;
        a.hasPrintingOffset = true;
        a.printingOffset = offset;
        a.correction = {1.01, 1.3, 0.99, -0.8};
        DeviceContext dc(*paper.painter, a);
        SettingsView view;
        const StripPainter painter(nullptr, view);
        dc.Rectangle(painter.PaperFrame(dc));
        // Ink within two pixels (0.08 mm) of a place on the paper: the
        // frame's line is one pixel, set on the pixel its corrected place
        // falls in. None 0.25 mm beyond.
        const auto ink = [&](double xMm, double yMm) {
            const int px = int(std::lround(xMm * 600 / 25.4)) - offset.x;
            const int py = int(std::lround(yMm * 600 / 25.4)) - offset.y;
            for (int dx = -2; dx <= 2; ++dx)
                for (int dy = -2; dy <= 2; ++dy)
                    if (paper.image.pixelColor(px + dx, py + dy).lightness() < 100)
                        return true;
            return false;
        };
        const double left = 18.51, top = 21.01, right = left + 25.74, bottom = top + 122.42;
        EXPECT_TRUE(ink(left, 60)) << offset.x;
        EXPECT_TRUE(ink(right, 60)) << offset.x;
        EXPECT_TRUE(ink(20, top)) << offset.x;
        EXPECT_TRUE(ink(20, bottom)) << offset.x;
        for (const double d : {-0.25, 0.25}) {
            EXPECT_FALSE(ink(left + d, 60)) << offset.x << " " << d;
            EXPECT_FALSE(ink(right + d, 60)) << offset.x << " " << d;
            EXPECT_FALSE(ink(20, top + d)) << offset.x << " " << d;
            EXPECT_FALSE(ink(20, bottom + d)) << offset.x << " " << d;
        }
    }
}
