// SPDX-License-Identifier: GPL-3.0-or-later
#include "paint/StripPainter.h"

#include "document/LayoutSettings.h"
#include "document/StripGeometry.h"
#include "document/V7NamenDoc.h"
#include "platform/base/CodePage.h"
#include "platform/draw/FontObject.h"

#include <QDate>
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

LONG ClampToLong(std::int64_t v) {
    // Far outside any device, but still safe to add and subtract.
    constexpr std::int64_t kLimit = std::int64_t(1) << 28;
    return LONG(std::clamp(v, -kLimit, kLimit));
}

// Far outside any device, as the drawing keeps a name's start.
int ClampedStart(long long x) {
    return int(std::clamp<long long>(x, INT32_MIN / 2, INT32_MAX / 2));
}

// The part of a name that puts ink on the paper: trailing blanks take room
// in no field.
QString Ink(const QString& name) {
    qsizetype end = name.size();
    while (end > 0 && name.at(end - 1).isSpace())
        --end;
    return name.left(end);
}

} // namespace

StripPainter::StripPainter(const CV7NamenDoc* doc, const LayoutSettings& settings,
                           const CLabelFont* printerFont)
    : doc_(doc), settings_(settings), printerFont_(printerFont) {}

void StripPainter::GetFieldRect(int index, RECT& rect, const DeviceContext* dc) const {
    FieldRectOn(index, rect, dc, paper_);
}

void StripPainter::FieldRectOn(int index, RECT& rect, const DeviceContext* dc, bool paper) const {
    if (paper && dc)
        PaperFieldRect(index, rect, *dc);
    else
        ScreenFieldRect(index, rect);
}

void StripPainter::ScreenFieldRect(int index, RECT& rect) const {
    const double scale = double(ScreenScale());
    const std::int64_t i = index;
    rect.left = 0;
    rect.top =
        ClampToLong(std::int64_t(std::trunc(double(i * kFieldHeight + kFirstFieldTop) * scale)));
    rect.right = ClampToLong(std::int64_t(std::trunc(scale * kStripWidth)));
    rect.bottom = ClampToLong(
        std::int64_t(std::trunc(double((i + 1) * kFieldHeight + kFirstFieldTop) * scale)));
    int offset = (clientWidth_ - rect.right) / 2;
    if (offset < 0)
        offset = 0;
    OffsetRect(rect, offset, 10);
}

void StripPainter::PaperFieldRect(int index, RECT& rect, const DeviceContext& dc) const {
    const int dpiX = dc.GetDeviceCaps(LOGPIXELSX);
    const int dpiY = dc.GetDeviceCaps(LOGPIXELSY);
    const std::int64_t i = std::clamp<std::int64_t>(index, -100000, 100000);
    rect.left = 0;
    rect.top = ToDevice(std::int32_t(i * kFieldHeight + kFirstFieldTop), dpiY);
    rect.right = rect.left + ToDevice(kStripWidth, dpiX);
    rect.bottom = ToDevice(std::int32_t((i + 1) * kFieldHeight + kFirstFieldTop), dpiY);

    POINT offset{};
    if (dc.Escape(GETPRINTINGOFFSET, &offset) <= 0)
        offset = {0, 0};
    // The margins are divided by the scale after the multiplication by 100,
    // so that they come out at true size once the context scales the picture.
    const std::int64_t dx =
        std::int64_t(ToDevice(settings_.leftMargin, dpiX)) * 100 / UsableZoom(settings_.zoomX) -
        offset.x;
    const std::int64_t dy =
        std::int64_t(ToDevice(settings_.topMargin, dpiY)) * 100 / UsableZoom(settings_.zoomY) -
        offset.y;
    OffsetRect(rect, ClampToLong(dx), ClampToLong(dy));
}

RECT StripPainter::PaperFrame(const DeviceContext& dc) const {
    const int dpiY = dc.GetDeviceCaps(LOGPIXELSY);
    RECT r;
    FieldRectOn(0, r, &dc, true);
    r.top -= ToDevice(kFirstFieldTop, dpiY);
    r.bottom = r.top + ToDevice(kStripHeight, dpiY);
    return r;
}

void StripPainter::ApplyPrintScale(DeviceContext& dc) const {
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt({100, 100});
    dc.SetViewportExt({UsableZoom(settings_.zoomX), UsableZoom(settings_.zoomY)});
}

void StripPainter::Draw(DeviceContext& dc) const {
    RECT r;
    GetFieldRect(0, r, &dc);
    const int saved = dc.SaveDC();

    const CLabelFont& font = paper_ && printerFont_ ? *printerFont_ : settings_.labelFont;
    const FontObject* oldFont = dc.SelectFont(&font);
    TEXTMETRIC tm;
    dc.GetTextMetrics(tm);
    // One vertical text offset for all fields, from field 0.
    const LONG cell = r.bottom - r.top;
    const int vc = (cell - tm.tmHeight) / 2;

    const int dpiX = dc.GetDeviceCaps(LOGPIXELSX);
    const int dpiY = dc.GetDeviceCaps(LOGPIXELSY);
    int indent;
    if (paper_) {
        r = PaperFrame(dc);
        indent = ToDevice(settings_.textOffset, dpiX);
    } else {
        r.top -= ScreenLength(kFirstFieldTop);
        r.bottom = r.top + ScreenLength(kStripHeight);
        indent = ScreenLength(settings_.textOffset);
    }
    // The outer frame in the context's own pen and brush.
    dc.Rectangle(r);
    dc.IntersectClipRect(r);

    const Brush shade(ShadeColor(settings_.shadeIndex));
    const Brush white(0xFFFFFF);
    const Brush* oldBrush = dc.SelectBrush(&shade);
    dc.SetBkMode(TRANSPARENT);

    const TextRoom room = fitLongNames_ ? RoomOn(dc, paper_) : TextRoom{};
    // Marks for names too long for the paper belong on the screen only.
    const bool marks = marks_ && !paper_ && !dc.IsPrinting();

    RECT f{};
    for (int i = 0; i < kFieldCount; ++i) {
        GetFieldRect(i, f, &dc);
        f.bottom += 1; // neighbouring fields share one line
        const COLORREF own = doc_ && std::size_t(i) < doc_->colors.size()
                                 ? doc_->colors[std::size_t(i)] & 0xFFFFFF
                                 : 0;
        if (own != 0) {
            const Brush fieldBrush(own);
            const Brush* previous = dc.SelectBrush(&fieldBrush);
            dc.Rectangle(f);
            dc.SelectBrush(previous);
        } else {
            dc.SelectBrush(i % 2 ? &shade : &white);
            dc.Rectangle(f);
        }
        if (doc_)
            DrawName(dc, i, f, indent, vc, cell, room);
    }
    dc.SelectNoClip();
    // Beside the strip, so that a mark never hides a letter.
    if (marks) {
        for (int i = 0; i < kFieldCount; ++i) {
            if (!Marked(i))
                continue;
            RECT m{};
            GetFieldRect(i, m, &dc);
            DrawUnfitMark(dc, m);
        }
    }

    if (paper_) {
        // Title and date below the strip, outside the clip.
        int y = f.bottom + ToDevice(kFooterGap, dpiY);
        for (const QString& line : FooterLines()) {
            dc.TextOut(f.left, y, line);
            y += tm.tmHeight;
        }
    }

    dc.SelectBrush(oldBrush);
    dc.SelectFont(oldFont);
    dc.RestoreDC(saved);
}

bool StripPainter::Marked(int index) const {
    return std::any_of(marks_->begin(), marks_->end(),
                       [index](const UnfitName& u) { return u.index == index; });
}

void StripPainter::DrawName(DeviceContext& dc, int i, const RECT& f, int indent, int vc, LONG cell,
                            const TextRoom& room) const {
    const std::string_view visible = VisiblePart(doc_->GetName(i));
    const int x = ClampedStart(static_cast<long long>(f.left) + indent);
    if (fitLongNames_ && !visible.empty()) {
        const QString text = codepage::Cp1252ToUnicode(visible);
        const QFont base =
            dc.DeviceFont(paper_ && printerFont_ ? *printerFont_ : settings_.labelFont);
        const namefit::Narrowed narrowed =
            namefit::NarrowFont(dc, Ink(text), base, room.right - room.left);
        if (narrowed.font != base) {
            // Centred by its own height, as the label font is.
            dc.TextOut(x, f.top + (cell - dc.TextHeight(narrowed.font)) / 2, text, narrowed.font);
            return;
        }
    }
    dc.TextOut(x, f.top + vc, visible);
}

void StripPainter::DrawUnfitMark(DeviceContext& dc, const RECT& f) {
    // Just right of the strip's edge, pointing left at the field's name.
    const POINT wedge[] = {{f.right + kMarkWidth, f.top + 1},
                           {f.right + kMarkWidth, f.bottom - 1},
                           {f.right + 1, (f.top + f.bottom) / 2}};
    dc.FillPolygon(wedge, 3, RGB(255, 0, 0));
}

QStringList StripPainter::FooterLines() const {
    return {doc_ ? doc_->GetTitle() : QString(),
            QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"))};
}

StripPainter::PaperExtent StripPainter::PrintedExtent(DeviceContext& dc) const {
    const int dpiY = dc.GetDeviceCaps(LOGPIXELSY);
    const RECT r = PaperFrame(dc);
    PaperExtent extent;
    const POINT frameTopLeft = dc.LPtoDP({r.left, r.top});
    const POINT frameBottomRight = dc.LPtoDP({r.right, r.bottom});
    extent.frame = {frameTopLeft.x, frameTopLeft.y, frameBottomRight.x, frameBottomRight.y};

    // The footer as Draw writes it: below the last field, one line each.
    RECT last;
    FieldRectOn(kFieldCount - 1, last, &dc, true);
    const CLabelFont& font = printerFont_ ? *printerFont_ : settings_.labelFont;
    const int saved = dc.SaveDC();
    dc.SelectFont(&font);
    TEXTMETRIC tm;
    dc.GetTextMetrics(tm);
    const QFont deviceFont = dc.DeviceFont(font);
    double width = 0;
    const QStringList lines = FooterLines();
    for (const QString& line : lines)
        width = std::max(width, dc.TextAdvance(line, deviceFont));
    dc.RestoreDC(saved);
    const LONG top = last.bottom + 1 + ToDevice(kFooterGap, dpiY);
    const POINT footerTopLeft = dc.LPtoDP({last.left, top});
    const POINT footerBottom = dc.LPtoDP({last.left, top + LONG(lines.size()) * tm.tmHeight});
    extent.footer = {footerTopLeft.x, footerTopLeft.y, footerTopLeft.x + LONG(std::ceil(width)),
                     footerBottom.y};
    return extent;
}

StripPainter::TextRoom StripPainter::RoomOn(const DeviceContext& dc, bool paper) const {
    RECT f;
    FieldRectOn(0, f, &dc, paper);
    const int indent = paper ? ToDevice(settings_.textOffset, dc.GetDeviceCaps(LOGPIXELSX))
                             : ScreenLength(settings_.textOffset);
    const POINT left = dc.LPtoDP({ClampedStart(static_cast<long long>(f.left) + indent), 0});
    const POINT right = dc.LPtoDP({ClampedStart(static_cast<long long>(f.right) - indent), 0});
    return {double(left.x), double(right.x)};
}

NameFit StripPainter::Measure(const QString& name, const QFont& font, const DeviceContext& dc,
                              bool paper) const {
    const TextRoom room = RoomOn(dc, paper);
    const double over = room.left + dc.TextAdvance(name, font) - room.right;
    if (over <= 1e-9)
        return {};
    // Device pixels to tenths of a millimetre, rounded up: any overhang shows.
    const double tenths =
        paper ? over * 254.0 / dc.GetDeviceCaps(LOGPIXELSX) : over / double(ScreenScale());
    return {false, std::max(1, int(std::ceil(tenths - 1e-9)))};
}

NameFit StripPainter::MeasureName(const QString& name, const FontObject& font,
                                  const DeviceContext& dc) const {
    return Measure(Ink(name), dc.DeviceFont(font), dc, dc.IsPrinting());
}

std::vector<UnfitName> StripPainter::UnfitNames(const DeviceContext::Attributes& paper) const {
    std::vector<UnfitName> unfit;
    if (!doc_)
        return unfit;
    DeviceContext dc(paper);
    ApplyPrintScale(dc);
    // The printer font as a print job makes it.
    CLabelFont font;
    font.ScaleForPrinter(dc, settings_.labelFont);
    const QFont base = dc.DeviceFont(font);
    const TextRoom room = RoomOn(dc, true);
    for (int i = 0; i < kFieldCount; ++i) {
        const QString name = Ink(codepage::Cp1252ToUnicode(VisiblePart(doc_->GetName(i))));
        if (name.isEmpty())
            continue;
        const QFont used =
            fitLongNames_ ? namefit::NarrowFont(dc, name, base, room.right - room.left).font : base;
        const NameFit fit = Measure(name, used, dc, true);
        if (!fit.fits)
            unfit.push_back({i, name, fit.overhang});
    }
    return unfit;
}
