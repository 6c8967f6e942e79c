// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/draw/DeviceContext.h"

#include "platform/base/CodePage.h"
#include "platform/draw/FontObject.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QTransform>
#include <cmath>

namespace {

QColor ToQColor(COLORREF c) {
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

// The default font of a fresh context.
const FontObject& SystemFont() {
    static const FontObject font;
    return font;
}

} // namespace

DeviceContext::DeviceContext(QPainter& painter, const Attributes& attributes)
    : painter_(&painter), attributes_(attributes) {
    painter_->save();
    painter_->setRenderHint(QPainter::Antialiasing, false);
    const PaperCorrection& c = attributes_.correction;
    if (!c.IsIdentity() && c.sx > 0 && c.sy > 0 && attributes_.dpiX > 0 && attributes_.dpiY > 0) {
        // A device pixel d lies at paper position (d + offset) / dpi; it is
        // sent where the printer puts it at that position.
        const POINT off = attributes_.hasPrintingOffset ? attributes_.printingOffset : POINT{};
        const double ex = c.ex * attributes_.dpiX / 25.4;
        const double ey = c.ey * attributes_.dpiY / 25.4;
        const QTransform correction(1 / c.sx, 0, 0, 1 / c.sy, (off.x - ex) / c.sx - off.x,
                                    (off.y - ey) / c.sy - off.y);
        painter_->setTransform(correction, true);
    }
}

DeviceContext::DeviceContext(const Attributes& attributes)
    : painter_(nullptr), attributes_(attributes) {}

DeviceContext::~DeviceContext() {
    if (painter_)
        painter_->restore();
}

int DeviceContext::GetDeviceCaps(int index) const {
    switch (index) {
    case LOGPIXELSX:
        return attributes_.dpiX;
    case LOGPIXELSY:
        return attributes_.dpiY;
    case HORZRES:
        return attributes_.horzRes;
    case VERTRES:
        return attributes_.vertRes;
    default:
        return 0;
    }
}

int DeviceContext::Escape(int code, POINT* out) const {
    if (code != GETPRINTINGOFFSET || !attributes_.hasPrintingOffset)
        return 0;
    if (out)
        *out = attributes_.printingOffset;
    return 1;
}

int DeviceContext::SetMapMode(int mode) {
    const int old = state_.mapMode;
    state_.mapMode = mode;
    if (mode == MM_TEXT) {
        state_.windowExt = {1, 1};
        state_.viewportExt = {1, 1};
    }
    return old;
}

void DeviceContext::SetWindowExt(SIZE ext) {
    if (state_.mapMode == MM_ANISOTROPIC && ext.cx != 0 && ext.cy != 0)
        state_.windowExt = ext;
}

void DeviceContext::SetViewportExt(SIZE ext) {
    if (state_.mapMode == MM_ANISOTROPIC && ext.cx != 0 && ext.cy != 0)
        state_.viewportExt = ext;
}

void DeviceContext::SetViewportOrg(POINT org) {
    state_.viewportOrg = org;
}

double DeviceContext::ScaleX() const {
    return double(state_.viewportExt.cx) / double(state_.windowExt.cx);
}

double DeviceContext::ScaleY() const {
    return double(state_.viewportExt.cy) / double(state_.windowExt.cy);
}

POINT DeviceContext::LPtoDP(POINT p) const {
    const double x = double(p.x) * ScaleX() + state_.viewportOrg.x;
    const double y = double(p.y) * ScaleY() + state_.viewportOrg.y;
    auto clampRound = [](double v) { return LONG(std::clamp(std::round(v), -1.0e9, 1.0e9)); };
    return {clampRound(x), clampRound(y)};
}

QRect DeviceContext::DeviceRect(const RECT& r) const {
    POINT a = LPtoDP({r.left, r.top});
    POINT b = LPtoDP({r.right, r.bottom});
    if (a.x > b.x)
        std::swap(a.x, b.x);
    if (a.y > b.y)
        std::swap(a.y, b.y);
    // Right and bottom are exclusive.
    return QRect(QPoint(a.x, a.y), QPoint(b.x - 1, b.y - 1));
}

int DeviceContext::SaveDC() {
    saved_.push_back(state_);
    return int(saved_.size());
}

bool DeviceContext::RestoreDC(int n) {
    if (saved_.empty())
        return false;
    const std::size_t index = n < 0 ? saved_.size() + std::size_t(n) : std::size_t(n - 1);
    if (index >= saved_.size())
        return false;
    state_ = saved_[index];
    saved_.resize(index);
    ApplyClip();
    return true;
}

const FontObject* DeviceContext::SelectFont(const FontObject* font) {
    const FontObject* old = state_.font ? state_.font : &SystemFont();
    state_.font = font;
    return old;
}

const Brush* DeviceContext::SelectBrush(const Brush* brush) {
    const Brush* old = state_.brush ? state_.brush : &whiteBrush_;
    state_.brush = brush;
    return old;
}

int DeviceContext::SetBkMode(int mode) {
    const int old = state_.bkMode;
    state_.bkMode = mode;
    return old;
}

bool DeviceContext::Rectangle(const RECT& r) {
    if (!painter_)
        return false;
    const QRect d = DeviceRect(r);
    if (d.width() <= 0 || d.height() <= 0)
        return true;
    const Brush* brush = state_.brush ? state_.brush : &whiteBrush_;
    // The brush fills the whole rectangle and the outline is drawn over it:
    // where a logical pixel is several device pixels (a scaled screen), an
    // interior that starts one logical pixel in would leave a seam between
    // the one-device-pixel line and the fill.
    if (d.width() > 2 && d.height() > 2)
        painter_->fillRect(d, ToQColor(brush->Color()));
    // The black outline along the rectangle's outer pixels, drawn with a
    // cosmetic pen: one pixel of whatever device finally shows it, so the
    // lines stay visible when the print preview shows a page scaled down.
    if (d.width() == 1 || d.height() == 1) {
        painter_->fillRect(d, Qt::black);
        return true;
    }
    painter_->setPen(QPen(Qt::black, 0));
    painter_->setBrush(Qt::NoBrush);
    painter_->drawRect(QRect(d.left(), d.top(), d.width() - 1, d.height() - 1));
    return true;
}

bool DeviceContext::TextOut(int x, int y, std::string_view text) {
    return TextOut(x, y, codepage::Cp1252ToUnicode(text));
}

bool DeviceContext::TextOut(int x, int y, const QString& s) {
    if (!painter_)
        return false;
    if (s.isEmpty())
        return true;
    const FontObject& font = state_.font ? *state_.font : SystemFont();
    const FontObject::Realized& realized = font.Realize(std::fabs(ScaleY()));
    return PutText(x, y, s, realized.font, realized.ascent, realized.descent);
}

bool DeviceContext::TextOut(int x, int y, const QString& s, const QFont& font) {
    if (!painter_)
        return false;
    if (s.isEmpty())
        return true;
    const QFontMetrics m(font);
    return PutText(x, y, s, font, m.ascent(), m.descent());
}

bool DeviceContext::PutText(int x, int y, const QString& s, const QFont& font, int ascent,
                            int descent) {
    const POINT p = LPtoDP({x, y});
    painter_->setFont(font);
    if (state_.bkMode == OPAQUE) {
        const int width = painter_->fontMetrics().horizontalAdvance(s);
        painter_->fillRect(QRect(p.x, p.y, width, ascent + descent), Qt::white);
    }
    painter_->setPen(Qt::black);
    painter_->drawText(QPointF(p.x, p.y + ascent), s);
    return true;
}

QFont DeviceContext::DeviceFont(const FontObject& font) const {
    return font.Realize(std::fabs(ScaleY())).font;
}

double DeviceContext::TextAdvance(const QString& text, const QFont& font) const {
    return QFontMetricsF(font).horizontalAdvance(text);
}

LONG DeviceContext::TextHeight(const QFont& font) const {
    const QFontMetrics m(font);
    return LONG(std::lround((m.ascent() + m.descent()) / std::fabs(ScaleY())));
}

void DeviceContext::FillPolygon(const POINT* points, int count, COLORREF color) {
    if (!painter_ || count < 3)
        return;
    QPolygon polygon;
    for (int i = 0; i < count; ++i) {
        const POINT p = LPtoDP(points[i]);
        polygon << QPoint(p.x, p.y);
    }
    painter_->setPen(Qt::NoPen);
    painter_->setBrush(ToQColor(color));
    painter_->drawPolygon(polygon);
    painter_->setBrush(Qt::NoBrush);
}

bool DeviceContext::GetTextMetrics(TEXTMETRIC& tm) const {
    const FontObject& font = state_.font ? *state_.font : SystemFont();
    const double scale = std::fabs(ScaleY());
    const FontObject::Realized& realized = font.Realize(scale);
    // Metrics are in logical units.
    tm.tmHeight = LONG(std::lround((realized.ascent + realized.descent) / scale));
    return true;
}

void DeviceContext::IntersectClipRect(const RECT& r) {
    const QRegion region(DeviceRect(r));
    state_.clip = state_.clipped ? state_.clip.intersected(region) : region;
    state_.clipped = true;
    ApplyClip();
}

void DeviceContext::SelectNoClip() {
    state_.clipped = false;
    state_.clip = QRegion();
    ApplyClip();
}

void DeviceContext::ApplyClip() {
    if (!painter_)
        return;
    if (state_.clipped)
        painter_->setClipRegion(state_.clip);
    else
        painter_->setClipping(false);
}
