// SPDX-License-Identifier: GPL-3.0-or-later
#include "paint/NameFit.h"

#include "platform/draw/DeviceContext.h"
#include "platform/ui/StringTable.h"
#include "platform/ui/UiHost.h"
#include "resources/Resource.h"

#include <QLocale>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace namefit {

namespace {

// The largest value in [least, most] for which `fits` holds, starting from
// an estimate; `fits` is taken to hold for every value below one that fits.
// Answers least when none fits.
template <typename Fits>
int Largest(int least, int most, int estimate, Fits fits) {
    int v = std::clamp(estimate, least, most);
    if (fits(v)) {
        while (v < most && fits(v + 1))
            ++v;
        return v;
    }
    while (v > least && !fits(v - 1))
        --v;
    return std::max(least, v - 1);
}

} // namespace

Narrowed NarrowFont(const DeviceContext& dc, const QString& text, const QFont& font, double room) {
    const double width = dc.TextAdvance(text, font);
    if (width <= room)
        return {font, true};
    QFont f = font;
    const auto fitsIn = [&](const QFont& candidate) {
        return dc.TextAdvance(text, candidate) <= room;
    };

    // Condensed first: widths shrink about in proportion to the stretch.
    const int own = font.stretch() > 0 ? font.stretch() : 100;
    const int leastStretch = std::max(1, own * kLeastStretch / 100);
    const int stretch =
        Largest(leastStretch, own - 1, int(std::floor(own * room / width)), [&](int s) {
            f.setStretch(s);
            return fitsIn(f);
        });
    f.setStretch(stretch);
    if (fitsIn(f))
        return {f, true};

    // Then smaller, down to the least height of the font.
    const int size = font.pixelSize();
    if (size <= 0)
        return {f, false};
    const int leastSize = std::max(1, int(std::ceil(size * kLeastHeight)));
    const int chosen = Largest(leastSize, size - 1,
                               int(std::floor(size * room / dc.TextAdvance(text, f))), [&](int px) {
                                   f.setPixelSize(px);
                                   return fitsIn(f);
                               });
    f.setPixelSize(chosen);
    return {f, fitsIn(f)};
}

QString ListText(const std::vector<UnfitName>& names) {
    QStringList list;
    for (const UnfitName& n : names)
        list.append(Quoted(n.name));
    if (names.size() == 1)
        return FormatString(IDS_UNFIT_ONE, {list.first()});
    return FormatString(IDS_UNFIT_LIST, {names.size(), list.join(QStringLiteral(", "))});
}

QString OverhangText(int overhang) {
    const QString mm = QLocale(QLocale::German, QLocale::Germany).toString(overhang / 10.0, 'f', 1);
    return FormatString(IDS_UNFIT_TIP, {mm});
}

QString StatusText(int count) {
    if (count <= 0)
        return QString();
    if (count == 1)
        return LoadStr(IDS_UNFIT_STATUS_ONE);
    return FormatString(IDS_UNFIT_STATUS, {count});
}

} // namespace namefit
