// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/draw/LogFont.h"

#include "platform/base/CodePage.h"
#include "platform/base/MulDiv.h"

#include <QFontMetricsF>
#include <QHash>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace logfont {
namespace {

// (ascent + descent) / pixel size of a family, measured once at a large size.
double CellRatio(const QFont& font) {
    static QHash<QString, double> cache;
    const QString key = font.family() + QLatin1Char('/') + QString::number(font.weight()) +
                        (font.italic() ? QLatin1String("i") : QLatin1String(""));
    auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    QFont probe(font);
    probe.setPixelSize(2048);
    const QFontMetricsF m(probe);
    double ratio = (m.ascent() + m.descent()) / 2048.0;
    if (!(ratio > 0.5 && ratio < 3.0))
        ratio = 1.15;
    cache.insert(key, ratio);
    return ratio;
}

} // namespace

QString FaceName(const LOGFONTA& lf) {
    const std::size_t len = strnlen(lf.lfFaceName, LF_FACESIZE - 1);
    return codepage::Cp1252ToUnicode(std::string_view(lf.lfFaceName, len));
}

void SetFaceName(LOGFONTA& lf, const QString& face) {
    std::memset(lf.lfFaceName, 0, sizeof lf.lfFaceName);
    const std::string bytes = codepage::UnicodeToCp1252(face);
    std::memcpy(lf.lfFaceName, bytes.data(), std::min<std::size_t>(bytes.size(), LF_FACESIZE - 1));
}

QFont ToQFont(const LOGFONTA& lf, double scale) {
    QFont font(FaceName(lf));
    font.setStyleHint(QFont::SansSerif);
    if (lf.lfWeight > 0)
        font.setWeight(QFont::Weight(std::clamp<int>(lf.lfWeight, 1, 1000)));
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    font.setKerning(false);

    // Work in double: a height from a file may be anything.
    const double height = std::fabs(double(lf.lfHeight)) * std::fabs(scale);
    double pixels;
    if (lf.lfHeight == 0)
        pixels = kDefaultPixelSize * std::fabs(scale);
    else if (lf.lfHeight > 0)
        pixels = height / CellRatio(font);
    else
        pixels = height;
    font.setPixelSize(int(std::clamp(std::round(pixels), 1.0, double(kMaxPixelSize))));

    if (lf.lfWidth != 0) {
        // An average character width other than the font's own stretches the font.
        const double natural = font.pixelSize() * 0.5;
        const double wanted = std::fabs(double(lf.lfWidth)) * std::fabs(scale);
        font.setStretch(int(std::clamp(std::round(wanted / natural * 100.0), 1.0, 4000.0)));
    }
    return font;
}

LOGFONTA FromQFont(const QFont& font, int dpiY) {
    LOGFONTA lf{};
    if (font.pixelSize() > 0)
        lf.lfHeight = -font.pixelSize();
    else
        lf.lfHeight = -std::max(1, int(std::lround(font.pointSizeF() * dpiY / 72.0)));
    lf.lfWeight = font.weight();
    lf.lfItalic = font.italic() ? 1 : 0;
    SetFaceName(lf, font.family());
    return lf;
}

double PointSize(const LOGFONTA& lf, int dpiY) {
    const QFont font = ToQFont(lf, 1.0);
    return std::max(1.0, font.pixelSize() * 72.0 / std::max(1, dpiY));
}

} // namespace logfont
