// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/artwork/Artwork.h"

#include "app/artwork/ArtworkIconEngine.h"

#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <cmath>

namespace artwork {
namespace {

const QColor kInk(0x20, 0x20, 0x20);
const QColor kPaper(0xFF, 0xFF, 0xFF);
const QColor kGrey(0xC0, 0xC0, 0xC0);
const QColor kBlue(0x1F, 0x4E, 0x8C);
const QColor kYellow(0xF0, 0xC8, 0x40);

// The lines and blue parts of the toolbar's images: dark on a light bar;
// on a dark bar, light, so that they keep their contrast.
struct Inks {
    QColor ink = kInk;
    QColor blue = kBlue;
};

void PaintNew(QPainter& p, const Inks& c) {
    QPainterPath page;
    page.moveTo(3, 1.5);
    page.lineTo(10, 1.5);
    page.lineTo(13.5, 5);
    page.lineTo(13.5, 14.5);
    page.lineTo(3, 14.5);
    page.closeSubpath();
    p.setPen(QPen(c.ink, 1));
    p.setBrush(kPaper);
    p.drawPath(page);
    p.drawPolyline(QPolygonF({{10, 1.5}, {10, 5}, {13.5, 5}}));
}

void PaintOpen(QPainter& p, const Inks& c) {
    p.setPen(QPen(c.ink, 1));
    p.setBrush(kYellow.darker(115));
    p.drawPolygon(
        QPolygonF({{1.5, 3.5}, {6, 3.5}, {7.5, 5}, {13.5, 5}, {13.5, 13.5}, {1.5, 13.5}}));
    p.setBrush(kYellow);
    p.drawPolygon(QPolygonF({{1.5, 13.5}, {4, 7.5}, {15.5, 7.5}, {13.5, 13.5}}));
}

void PaintSave(QPainter& p, const Inks& c) {
    p.setPen(QPen(c.ink, 1));
    p.setBrush(c.blue);
    p.drawPolygon(QPolygonF({{1.5, 1.5}, {12.5, 1.5}, {14.5, 3.5}, {14.5, 14.5}, {1.5, 14.5}}));
    p.setBrush(kPaper);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(kGrey);
    p.drawRect(QRectF(4.5, 9.5, 7, 5));
    p.fillRect(QRectF(9, 2.5, 1.5, 3), c.ink);
}

void PaintOptions(QPainter& p, const Inks& c) {
    // A short key strip: fields white and grey in turn.
    p.setPen(QPen(c.ink, 1));
    for (int i = 0; i < 4; ++i) {
        p.setBrush(i % 2 ? kGrey : kPaper);
        p.drawRect(QRectF(4.5, 1.5 + i * 3.25, 7, 3.25));
    }
    p.setPen(QPen(c.blue, 1.5));
    p.drawLine(QPointF(1, 14.5), QPointF(15, 14.5));
    p.drawLine(QPointF(2, 13), QPointF(2, 15.5));
    p.drawLine(QPointF(14, 13), QPointF(14, 15.5));
}

// The letters of the toolbar images are drawn as strokes, not with a font:
// loading two more font files would cost every start-up several milliseconds.
void PaintFont(QPainter& p, const Inks& c) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(c.blue, 2.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.drawPolyline(QPolygonF({{1.5, 14.5}, {5.5, 1.5}, {9.5, 14.5}}));
    p.drawLine(QPointF(3.2, 10.0), QPointF(7.8, 10.0));
    p.setPen(QPen(c.ink, 1.2));
    p.drawEllipse(QRectF(10.2, 9.6, 3.6, 4.6));
    p.drawLine(QPointF(14.4, 9.0), QPointF(14.4, 15.0));
}

void PaintPrint(QPainter& p, const Inks& c) {
    p.setPen(QPen(c.ink, 1));
    p.setBrush(kPaper);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(kGrey);
    p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1, 1);
    p.setBrush(kPaper);
    p.drawRect(QRectF(4.5, 10.5, 7, 4));
    p.fillRect(QRectF(12, 8, 1.5, 1.5), QColor(0x30, 0xA0, 0x30));
}

void PaintHelp(QPainter& p, const Inks& c) {
    p.setPen(QPen(c.ink, 1));
    p.setBrush(c.blue);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    // The question mark: a hook from the left over the top down to the
    // middle, a short stem, and the dot.
    QPainterPath hook;
    hook.moveTo(5.6, 6.2);
    hook.arcTo(QRectF(5.6, 3.7, 4.8, 4.8), 180, -270);
    hook.lineTo(8.0, 9.6);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kPaper, 1.8, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(8.0, 12.0), 1.1, 1.1);
}

// The strip with `fields` fields inside rect, a few of them labelled.
void PaintStrip(QPainter& p, const QRectF& rect, int fields, qreal line) {
    p.setPen(QPen(kInk, line));
    p.setBrush(kPaper);
    p.drawRect(rect);
    const qreal top = rect.top() + rect.height() * 0.04;
    const qreal h = rect.height() * 0.92 / fields;
    for (int i = 0; i < fields; ++i) {
        const QRectF field(rect.left(), top + i * h, rect.width(), h);
        p.setBrush(i == 2 ? kYellow : (i % 2 ? kGrey : kPaper));
        p.drawRect(field);
        if (h >= 5 && i % 3 != 2) {
            const qreal textH = std::max(line, h * 0.22);
            p.fillRect(QRectF(field.left() + field.width() * 0.12, field.center().y() - textH / 2,
                              field.width() * (i % 2 ? 0.55 : 0.7), textH),
                       kInk);
        }
    }
}

QImage NewImage(int size) {
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

QImage PaintToolbar(ToolbarImage image, qreal ratio, const QPalette& palette) {
    const bool dark = palette.color(QPalette::Window).lightness() < 128;
    const Inks inks = dark ? Inks{palette.color(QPalette::WindowText), kBlue.lighter(220)} : Inks{};
    QImage img = NewImage(int(std::lround(16 * ratio)));
    img.setDevicePixelRatio(ratio);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    switch (image) {
    case New:
        PaintNew(p, inks);
        break;
    case Open:
        PaintOpen(p, inks);
        break;
    case Save:
        PaintSave(p, inks);
        break;
    case Options:
        PaintOptions(p, inks);
        break;
    case Font:
        PaintFont(p, inks);
        break;
    case Print:
        PaintPrint(p, inks);
        break;
    case Help:
    default:
        PaintHelp(p, inks);
        break;
    }
    p.end();
    return img;
}

} // namespace

QPixmap Toolbar(ToolbarImage image, qreal ratio, const QPalette& palette) {
    return QPixmap::fromImage(PaintToolbar(image, ratio, palette));
}

QIcon ToolbarIcon(ToolbarImage image, const QPalette& palette) {
    // Painted for the scale of the screen that shows it, when it first
    // shows it, so that no image is blown up and a start paints one each.
    constexpr int kSide = 16;
    return QIcon(new ArtworkIconEngine(
        [image, palette](int side) { return PaintToolbar(image, qreal(side) / kSide, palette); },
        {16, 20, 24, 32, 48}));
}

QImage AppIcon(int size) {
    QImage img = NewImage(size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawRoundedRect(QRectF(s * 0.03, s * 0.03, s * 0.94, s * 0.94), s * 0.16, s * 0.16);
    const int fields = size >= 48 ? 8 : 4;
    PaintStrip(p, QRectF(s * 0.32, s * 0.1, s * 0.36, s * 0.8), fields, std::max(1.0, s / 64));
    return img;
}

QImage DocumentIcon(int size) {
    QImage img = NewImage(size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    const qreal line = std::max(1.0, s / 48);
    const qreal fold = s * 0.22;
    QPainterPath sheet;
    sheet.moveTo(s * 0.14, s * 0.04);
    sheet.lineTo(s * 0.86 - fold, s * 0.04);
    sheet.lineTo(s * 0.86, s * 0.04 + fold);
    sheet.lineTo(s * 0.86, s * 0.96);
    sheet.lineTo(s * 0.14, s * 0.96);
    sheet.closeSubpath();
    p.setPen(QPen(kInk, line));
    p.setBrush(kPaper);
    p.drawPath(sheet);
    p.setBrush(kGrey);
    p.drawPolygon(QPolygonF({{s * 0.86 - fold, s * 0.04},
                             {s * 0.86 - fold, s * 0.04 + fold},
                             {s * 0.86, s * 0.04 + fold}}));
    const int fields = size >= 48 ? 8 : 4;
    PaintStrip(p, QRectF(s * 0.3, s * 0.2, s * 0.3, s * 0.7), fields, line);
    return img;
}

QIcon AppIconSet() {
    return QIcon(new ArtworkIconEngine(&AppIcon));
}

QIcon WindowIconSet() {
    return QIcon(new ArtworkIconEngine(&AppIcon, {16, 24, 32, 48, 64}));
}

QIcon DocumentIconSet() {
    return QIcon(new ArtworkIconEngine(&DocumentIcon));
}

} // namespace artwork
