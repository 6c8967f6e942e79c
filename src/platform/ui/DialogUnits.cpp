// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ui/DialogUnits.h"

#include "platform/base/MulDiv.h"

#include <QFontMetricsF>

namespace dlu {

namespace {
constexpr int kBaseX = 6;  // average character width, pixels at 96 dpi
constexpr int kBaseY = 13; // character height, pixels at 96 dpi
} // namespace

int ToPixelsX(int x, int dpi) {
    return MulDiv(x, MulDiv(kBaseX, dpi, 96), 4);
}

int ToPixelsY(int y, int dpi) {
    return MulDiv(y, MulDiv(kBaseY, dpi, 96), 8);
}

QRect ToPixels(int x, int y, int width, int height, int dpi) {
    const int left = ToPixelsX(x, dpi);
    const int top = ToPixelsY(y, dpi);
    return QRect(left, top, ToPixelsX(x + width, dpi) - left, ToPixelsY(y + height, dpi) - top);
}

QFont DialogFont() {
    // The templates' texts were fitted to a narrow 8-point font whose
    // average character is kBaseX pixels wide. The sans serif fonts of a
    // Linux desktop are wider at 8 points, and a label that fills its box
    // runs into the control beside it. So the font takes the largest pixel
    // size up to 8 points at 96 dpi (the pixels the templates are laid out
    // in) whose average character, measured over the alphabet as the
    // template's base unit is, is no wider than kBaseX and whose line is
    // no taller than kBaseY.
    static const QString alphabet =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    for (int pixels = MulDiv(8, 96, 72); pixels > 6; --pixels) {
        font.setPixelSize(pixels);
        const QFontMetricsF metrics(font);
        if (metrics.horizontalAdvance(alphabet) <= kBaseX * double(alphabet.size()) &&
            metrics.height() <= kBaseY)
            break;
    }
    return font;
}

} // namespace dlu
