#include "platform/ui/DialogUnits.h"

#include "platform/base/MulDiv.h"

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
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    return font;
}

} // namespace dlu
