// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/Calibration.h"

#include "document/LayoutSettings.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace calibration {

namespace {

constexpr double kLeastScale = 0.5;
constexpr double kMostScale = 2.0;
constexpr double kMostOffset = 100; // mm

// To two decimals, halves away from zero.
double Hundredths(double v) {
    return std::round(v * 100) / 100;
}

// One axis: the frame wanted at `margin` (tenths) was sent through the
// correction (s0, e0) and seen at `seen` (hundredths); a bar of `nominal`
// mm at `zoom` percent came out `bar` (hundredths) long.
void CorrectAxis(std::int32_t margin, int nominal, int zoom, std::int64_t seen, std::int64_t bar,
                 double s0, double e0, double& s, double& e) {
    const double sent = (margin / 10.0 - e0) / s0;      // where the corner was sent, mm
    const double sentBar = nominal * zoom / 100.0 / s0; // the bar's length as sent, mm
    // Kept as the profile keeps them: the scale to 0.01 %, the offset to
    // 0.01 mm, the offset found with the scale as kept.
    // Measured lengths are a few hundred millimetres: exact as doubles.
    const double barMm = static_cast<double>(bar) / 100.0;
    const double seenMm = static_cast<double>(seen) / 100.0;
    s = Hundredths(std::clamp(barMm / sentBar, kLeastScale, kMostScale) * 100) / 100;
    e = Hundredths(std::clamp(seenMm - s * sent, -kMostOffset, kMostOffset));
}

bool Usable(const PaperCorrection& c) {
    return c.sx > 0 && c.sy > 0;
}

} // namespace

int BarBMillimetres(std::int32_t topMargin, std::int16_t zoomY, std::int32_t pageBottomTenths) {
    const std::int64_t end = std::int64_t(topMargin) + std::int64_t(2000) * UsableZoom(zoomY) / 100;
    return pageBottomTenths <= 0 || end <= pageBottomTenths ? 200 : 100;
}

Measured WhenRight(const LayoutValues& now, int barBMillimetres) {
    Measured m;
    m.left = std::int64_t(now.leftMargin) * 10;
    m.top = std::int64_t(now.topMargin) * 10;
    m.barA = std::int64_t(kBarAMillimetres) * UsableZoom(now.zoomX);
    m.barB = std::int64_t(barBMillimetres) * UsableZoom(now.zoomY);
    return m;
}

PaperCorrection Correct(const LayoutValues& now, const PaperCorrection& used,
                        const Measured& measured, int barBMillimetres) {
    const PaperCorrection u = Usable(used) ? used : PaperCorrection{};
    PaperCorrection c;
    CorrectAxis(now.leftMargin, kBarAMillimetres, UsableZoom(now.zoomX), measured.left,
                std::max<std::int64_t>(measured.barA, 1), u.sx, u.ex, c.sx, c.ex);
    CorrectAxis(now.topMargin, barBMillimetres, UsableZoom(now.zoomY), measured.top,
                std::max<std::int64_t>(measured.barB, 1), u.sy, u.ey, c.sy, c.ey);
    return c;
}

QString ToProfileText(const PaperCorrection& c) {
    const auto number = [](double v) { return QString::number(Hundredths(v), 'f', 2); };
    return QStringList{number(c.sx * 100), number(c.ex), number(c.sy * 100), number(c.ey)}.join(
        QLatin1Char(' '));
}

std::optional<PaperCorrection> FromProfileText(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() != 4)
        return std::nullopt;
    double v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts.at(i).toDouble(&ok);
        const bool scale = i % 2 == 0;
        const double low = scale ? kLeastScale * 100 : -kMostOffset;
        const double high = scale ? kMostScale * 100 : kMostOffset;
        if (!ok || !std::isfinite(v[i]) || v[i] < low || v[i] > high)
            return std::nullopt;
    }
    return PaperCorrection{v[0] / 100, v[1], v[2] / 100, v[3]};
}

} // namespace calibration
