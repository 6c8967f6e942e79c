#include "document/Calibration.h"

#include "document/LayoutSettings.h"

#include <QStringList>
#include <algorithm>

namespace calibration {

namespace {

constexpr int kMaxZoom = 200;
constexpr int kMaxMargin = 3000;

// numerator / denominator (denominator > 0), rounded half away from zero.
std::int64_t RoundedQuotient(std::int64_t numerator, std::int64_t denominator) {
    const std::int64_t magnitude = numerator < 0 ? -numerator : numerator;
    std::int64_t q = magnitude / denominator;
    if (2 * (magnitude % denominator) >= denominator)
        ++q;
    return numerator < 0 ? -q : q;
}

// The printed length of a bar of `nominal` mm at `zoom` percent was
// measured as `bar` (hundredths); the scale that prints it true.
std::int16_t NewZoom(int nominal, int zoom, std::int64_t bar) {
    const std::int64_t z = RoundedQuotient(std::int64_t(nominal) * zoom * 100, bar);
    return std::int16_t(std::clamp<std::int64_t>(z, 1, kMaxZoom));
}

// margin (tenths) was printed at `seen` (hundredths) by a printer of scale
// bar / (nominal * zoom): margin + (margin - seen) / scale, in tenths.
std::int32_t NewMargin(std::int32_t margin, std::int64_t seen, int nominal, int zoom,
                       std::int64_t bar) {
    const std::int64_t wanted = std::int64_t(margin) * 10; // hundredths
    const std::int64_t numerator = wanted * bar + (wanted - seen) * nominal * zoom;
    const std::int64_t m = RoundedQuotient(numerator, 10 * bar);
    return std::int32_t(std::clamp<std::int64_t>(m, 0, kMaxMargin));
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
    m.barA = std::int64_t(kBarAMillimetres) * 100;
    m.barB = std::int64_t(barBMillimetres) * 100;
    return m;
}

Result Compute(const LayoutValues& now, const Measured& measured, int barBMillimetres) {
    const int zx = UsableZoom(now.zoomX);
    const int zy = UsableZoom(now.zoomY);
    const std::int64_t barA = std::max<std::int64_t>(measured.barA, 1);
    const std::int64_t barB = std::max<std::int64_t>(measured.barB, 1);
    Result r;
    r.zoomX = NewZoom(kBarAMillimetres, zx, barA);
    r.zoomY = NewZoom(barBMillimetres, zy, barB);
    r.leftMargin = NewMargin(now.leftMargin, measured.left, kBarAMillimetres, zx, barA);
    r.topMargin = NewMargin(now.topMargin, measured.top, barBMillimetres, zy, barB);
    return r;
}

LayoutValues Applied(LayoutValues now, const Result& result) {
    now.leftMargin = result.leftMargin;
    now.topMargin = result.topMargin;
    now.zoomX = result.zoomX;
    now.zoomY = result.zoomY;
    return now;
}

QString ToProfileText(const Result& r) {
    return QStringLiteral("%1 %2 %3 %4")
        .arg(r.leftMargin)
        .arg(r.topMargin)
        .arg(r.zoomX)
        .arg(r.zoomY);
}

std::optional<Result> FromProfileText(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() != 4)
        return std::nullopt;
    int v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts.at(i).toInt(&ok);
        const int high = i < 2 ? kMaxMargin : kMaxZoom;
        const int low = i < 2 ? 0 : 1;
        if (!ok || v[i] < low || v[i] > high)
            return std::nullopt;
    }
    return Result{v[0], v[1], std::int16_t(v[2]), std::int16_t(v[3])};
}

} // namespace calibration
