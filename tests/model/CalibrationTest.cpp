#include "document/Calibration.h"

#include <gtest/gtest.h>

using calibration::Compute;
using calibration::Measured;
using calibration::Result;

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

} // namespace

TEST(Calibration, WorkedExamplePerfectPrinterAndNoChangeWhenTheSettingsAreRight) {
    // Printed at the default 20 mm and 100 %: bar A came out 97 mm for
    // 100, so across the printer puts x at 0.97 x + 2.6 mm (20 mm landed at
    // 22); 20 mm is reached from (20 - 2.6) / 0.97 = 17.94 mm, and the bar
    // is true at 100 / 0.97 = 103.1 %. Down, bar B 198 mm for 200 gives
    // 0.99 x - 0.8 mm (20 mm landed at 19): (20 + 0.8) / 0.99 = 21.01 mm
    // and 101.0 %.
    const LayoutValues defaults;
    EXPECT_EQ(Compute(defaults, Mm(22, 19, 97, 198), 200), (Result{179, 210, 103, 101}));
    // The short bar B counts 100 mm.
    EXPECT_EQ(Compute(defaults, Mm(20, 20, 100, 99), 100), (Result{200, 200, 100, 101}));

    // A printer without error shows the bars at the scales' lengths; it
    // needs the margins as they are and no scaling.
    const LayoutValues odd = Settings(150, 250, 97, 103);
    EXPECT_EQ(Compute(odd, Mm(15, 25, 97, 206), 200), (Result{150, 250, 100, 100}));
    // What the page shows when the settings are already right changes nothing.
    for (const LayoutValues& v : {defaults, odd, Settings(0, 3000, 1, 200)})
        EXPECT_EQ(calibration::Applied(v, Compute(v, calibration::WhenRight(v, 200), 200)), v);

    // Bar B is short where 200 mm would leave the printable page.
    EXPECT_EQ(calibration::BarBMillimetres(200, 100, 2970), 200);
    EXPECT_EQ(calibration::BarBMillimetres(200, 139, 2970), 100);
    EXPECT_EQ(calibration::BarBMillimetres(970, 100, 2970), 200);
    EXPECT_EQ(calibration::BarBMillimetres(971, 100, 2970), 100);
    EXPECT_EQ(calibration::BarBMillimetres(2500, 200, 0), 200) << "page unknown";
}

TEST(Calibration, LimitsAndHalvesAwayFromZero) {
    const LayoutValues defaults;
    // Scales within 1..200, margins within 0..3000.
    EXPECT_EQ(Compute(defaults, Mm(20, 20, 1, 400), 200).zoomX, 200);
    EXPECT_EQ(Compute(Settings(200, 200, 1, 1), Mm(20, 20, 400, 400), 200).zoomX, 1);
    EXPECT_EQ(Compute(defaults, Mm(400, 20, 100, 200), 200).leftMargin, 0);
    EXPECT_EQ(Compute(Settings(3000, 3000, 200, 200), Mm(0, 0, 100, 200), 200).topMargin, 3000);
    // 10000 / 160 = 62.5; (4000 - 1995) / 10 = 200.5; (4000 - 2005) / 10 = 199.5.
    EXPECT_EQ(Compute(defaults, Mm(20, 20, 160, 200), 200).zoomX, 63);
    EXPECT_EQ(Compute(defaults, Mm(19.95, 20, 100, 200), 200).leftMargin, 201);
    EXPECT_EQ(Compute(defaults, Mm(20.05, 20, 100, 200), 200).leftMargin, 200);

    // The profile keeps four numbers in the settings' ranges.
    const Result r{179, 210, 103, 101};
    EXPECT_EQ(calibration::ToProfileText(r), "179 210 103 101");
    EXPECT_EQ(calibration::FromProfileText("179 210 103 101"), r);
    for (const char* bad : {"", "179 210 103", "179 210 103 101 1", "179 210 103 0", "-1 0 1 1",
                            "3001 0 1 1", "1 2 3 x"})
        EXPECT_FALSE(calibration::FromProfileText(bad)) << bad;
}
