// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Names too long for their field: how much too long, and the narrower font
// that makes one fit when the user asks for it.

#include <QFont>
#include <QString>
#include <vector>

class DeviceContext;

// How a name stands in its field.
struct NameFit {
    bool fits = true;
    int overhang = 0; // 0.1 mm past the room, 0 when it fits
};

// A name of the strip that does not fit, for the marks and the warnings.
struct UnfitName {
    int index = 0; // field
    QString name;
    int overhang = 0; // 0.1 mm

    bool operator==(const UnfitName&) const = default;
};

namespace namefit {

// A narrower font is condensed down to this stretch (percent of the font's
// own) first, then made smaller down to this share of its height.
constexpr int kLeastStretch = 75;
constexpr double kLeastHeight = 0.6;

// The font a name is set in when long names are set narrower: `font`
// itself when the text fits into `room` device pixels, else condensed and
// then smaller as far as needed and allowed. `fits` tells whether the
// answer fits; when it does not, the text is clipped.
struct Narrowed {
    QFont font;
    bool fits = true;
};
Narrowed NarrowFont(const DeviceContext& dc, const QString& text, const QFont& font, double room);

// IDS_UNFIT_LIST with the names, each as a message quotes it (IDS_UNFIT_ONE
// for one name).
QString ListText(const std::vector<UnfitName>& names);
// IDS_UNFIT_TIP with the overhang in millimetres.
QString OverhangText(int overhang);
// IDS_UNFIT_STATUS (IDS_UNFIT_STATUS_ONE for one), empty for none.
QString StatusText(int count);

} // namespace namefit
