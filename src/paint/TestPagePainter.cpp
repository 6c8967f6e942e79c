// SPDX-License-Identifier: GPL-3.0-or-later
#include "paint/TestPagePainter.h"

#include "document/Calibration.h"
#include "document/LabelFont.h"
#include "document/LayoutSettings.h"
#include "document/StripGeometry.h"
#include "paint/StripPainter.h"
#include "platform/base/MulDiv.h"
#include "platform/draw/DeviceContext.h"
#include "platform/ui/FormatText.h"
#include "platform/ui/StringTable.h"
#include "resources/Resource.h"

#include <QLocale>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace {

// In 0.1 mm.
constexpr int kBarWidth = 5;
constexpr int kTickWidth = 3;
constexpr int kTick = 30;
constexpr int kLongTick = 50; // every 50 mm
constexpr int kGap = 20;
constexpr int kBarGap = 10; // between a bar and the frame's line, so each stays visible
constexpr int kTextHeight = 40;

// The tick at `mark` (device-independent logical units along the bar),
// kept within the bar at its two ends.
LONG TickStart(LONG mark, LONG width, LONG barStart, LONG barEnd) {
    return std::clamp<LONG>(mark - width / 2, barStart, barEnd - width);
}

} // namespace

int TestPagePainter::BarBMillimetres(const DeviceContext& dc) const {
    const int dpiY = dc.GetDeviceCaps(LOGPIXELSY);
    POINT offset{};
    if (dc.Escape(GETPRINTINGOFFSET, &offset) <= 0)
        offset = {0, 0};
    const int vertRes = dc.GetDeviceCaps(VERTRES);
    const std::int32_t bottom = vertRes > 0 && dpiY > 0 ? MulDiv(offset.y + vertRes, 254, dpiY) : 0;
    return calibration::BarBMillimetres(settings_.topMargin, settings_.zoomY, bottom);
}

void TestPagePainter::Draw(DeviceContext& dc) const {
    const int dpiX = dc.GetDeviceCaps(LOGPIXELSX);
    const int dpiY = dc.GetDeviceCaps(LOGPIXELSY);
    const auto x = [dpiX](int tenths) { return LONG(ToDevice(tenths, dpiX)); };
    const auto y = [dpiY](int tenths) { return LONG(ToDevice(tenths, dpiY)); };
    const int saved = dc.SaveDC();

    // The frame exactly where the strip's frame prints.
    const RECT frame = StripPainter(nullptr, settings_).PaperFrame(dc);
    dc.Rectangle(frame);

    const Brush black(0x000000);
    dc.SelectBrush(&black);
    // Bar A runs along the frame's top edge, bar B along its left edge, both
    // from the corner and a millimetre off the frame's line.
    const LONG aEnd = frame.left + x(calibration::kBarAMillimetres * 10);
    const RECT barA{frame.left, frame.top - y(kBarGap + kBarWidth), aEnd, frame.top - y(kBarGap)};
    dc.Rectangle(barA);
    for (int mm = 0; mm <= calibration::kBarAMillimetres; mm += 10) {
        const LONG left = TickStart(frame.left + x(mm * 10), x(kTickWidth), frame.left, aEnd);
        const LONG length = y(mm % 50 == 0 ? kLongTick : kTick);
        dc.Rectangle({left, barA.top - length, left + x(kTickWidth), barA.top});
    }
    const int barB = BarBMillimetres(dc);
    const LONG bEnd = frame.top + y(barB * 10);
    const RECT barBRect{frame.left - x(kBarGap + kBarWidth), frame.top, frame.left - x(kBarGap),
                        bEnd};
    dc.Rectangle(barBRect);
    for (int mm = 0; mm <= barB; mm += 10) {
        const LONG top = TickStart(frame.top + y(mm * 10), y(kTickWidth), frame.top, bEnd);
        const LONG length = x(mm % 50 == 0 ? kLongTick : kTick);
        dc.Rectangle({barBRect.left - length, top, barBRect.left, top + y(kTickWidth)});
    }

    CLabelFont font;
    font.Create("Arial", y(kTextHeight), 0, 0);
    dc.SelectFont(&font);
    dc.SetBkMode(TRANSPARENT);
    TEXTMETRIC tm;
    dc.GetTextMetrics(tm);
    dc.TextOut(aEnd + x(kGap), barA.top - tm.tmHeight / 2, QStringLiteral("A"));
    // B left of the long ticks at the bar's end, clear of the frame.
    const QString b = QStringLiteral("B");
    const LONG bWidth = LONG(std::ceil(dc.TextAdvance(b, dc.DeviceFont(font)) / dc.ScaleX()));
    dc.TextOut(barBRect.left - x(kLongTick + kGap) - bWidth, bEnd - tm.tmHeight / 2, b);
    QStringList lines = LoadStr(IDS_CALIB_PAGE).split(QLatin1Char('\n'));
    const auto mm = [](std::int32_t tenths) {
        return QLocale(QLocale::German).toString(tenths / 10.0, 'f', 1);
    };
    lines.insert(
        1, FormatString(IDS_CALIB_WANTED, {mm(settings_.leftMargin), mm(settings_.topMargin)}));
    LONG line = frame.top + y(kGap);
    for (const QString& text : lines) {
        dc.TextOut(frame.right + x(2 * kGap), line, text);
        line += tm.tmHeight + tm.tmHeight / 4;
    }
    dc.RestoreDC(saved);
}
