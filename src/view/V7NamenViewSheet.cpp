// Where the printed strip lies on the paper: its frame, which the strip's
// and the test page's drawing use, and what it covers with its footer, for
// placing several strips on one sheet (OnDraw writes the same footer).

#include "document/V7NamenDoc.h"
#include "platform/draw/DeviceContext.h"
#include "view/V7NamenView.h"

#include <QDate>
#include <algorithm>
#include <cmath>

QStringList CV7NamenView::FooterLines() const {
    const CV7NamenDoc* doc = GetDocument();
    return {doc ? doc->GetTitle() : QString(),
            QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"))};
}

RECT CV7NamenView::PaperFrame(const DeviceContext& dc) const {
    const int dpiY = dc.GetDeviceCaps(LOGPIXELSY);
    RECT r;
    GetFieldRectOn(0, r, &dc, true);
    r.top -= ToDevice(kFirstFieldTop, dpiY);
    r.bottom = r.top + ToDevice(kStripHeight, dpiY);
    return r;
}

CV7NamenView::PaperExtent CV7NamenView::PrintedExtent(DeviceContext& dc) const {
    const int dpiY = dc.GetDeviceCaps(LOGPIXELSY);
    const RECT r = PaperFrame(dc);
    PaperExtent extent;
    const POINT frameTopLeft = dc.LPtoDP({r.left, r.top});
    const POINT frameBottomRight = dc.LPtoDP({r.right, r.bottom});
    extent.frame = {frameTopLeft.x, frameTopLeft.y, frameBottomRight.x, frameBottomRight.y};

    // The footer as OnDraw writes it: below the last field, one line each.
    RECT last;
    GetFieldRectOn(kFieldCount - 1, last, &dc, true);
    const int saved = dc.SaveDC();
    dc.SelectFont(&printerFont);
    TEXTMETRIC tm;
    dc.GetTextMetrics(tm);
    const QFont font = dc.DeviceFont(printerFont);
    double width = 0;
    const QStringList lines = FooterLines();
    for (const QString& line : lines)
        width = std::max(width, dc.TextAdvance(line, font));
    dc.RestoreDC(saved);
    const LONG top = last.bottom + 1 + ToDevice(kFooterGap, dpiY);
    const POINT footerTopLeft = dc.LPtoDP({last.left, top});
    const POINT footerBottom = dc.LPtoDP({last.left, top + LONG(lines.size()) * tm.tmHeight});
    extent.footer = {footerTopLeft.x, footerTopLeft.y, footerTopLeft.x + LONG(std::ceil(width)),
                     footerBottom.y};
    return extent;
}
