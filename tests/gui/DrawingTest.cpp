// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing routine on rendered pixels: the screen picture of the view
// and the paper picture on an image standing in for a printer.

#include "PaperDc.h"
#include "document/LayoutSettings.h"
#include "document/V7NamenDoc.h"
#include "paint/StripPainter.h"
#include "platform/base/MulDiv.h"
#include "platform/printing/PrintInfo.h"
#include "view/V7NamenView.h"

#include <QCryptographicHash>
#include <QDate>
#include <gtest/gtest.h>

namespace {

const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
const QColor kGrey(0xC0, 0xC0, 0xC0); // ShadeTable[2]

bool IsInk(QColor c) {
    return c.lightness() < 100;
}

// A view 142 pixels wide (the strip from x = 20 to 121) showing a new strip.
struct Screen {
    Screen() {
        doc.ResetToNew();
        doc.AddView(&view);
        view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.resize(142, 520);
        view.show();
        view.OnInitialUpdate();
    }
    QImage Render() { return view.viewport()->grab().toImage(); }
    RECT Field(int i) {
        RECT r;
        view.GetFieldRect(i, r, nullptr);
        return r;
    }
    // The first column from the left with ink in rows top..bottom-1 (-1: none).
    static int FirstInkColumn(const QImage& image, int x0, int x1, int top, int bottom) {
        for (int x = x0; x < x1; ++x)
            for (int y = top; y < bottom; ++y)
                if (IsInk(image.pixelColor(x, y)))
                    return x;
        return -1;
    }
    static bool InkIn(const QImage& image, int x0, int x1, int top, int bottom) {
        return FirstInkColumn(image, x0, x1, top, bottom) >= 0;
    }
    CV7NamenDoc doc;
    CV7NamenView view;
};

constexpr int kLeft = 20;   // the strip's left frame line
constexpr int kRight = 121; // its right frame line

} // namespace

TEST(Drawing, NewStripOnScreenFrameFieldsAndShades) {
    Screen s;
    const QImage img = s.Render();
    const int x = kLeft + 50;
    // The frame from 10 to 489, fields from 28 to 471, white in between.
    EXPECT_EQ(img.pixelColor(x, 10), kBlack);
    EXPECT_EQ(img.pixelColor(x, 489), kBlack);
    EXPECT_EQ(img.pixelColor(kLeft, 300), kBlack);
    EXPECT_EQ(img.pixelColor(kRight, 300), kBlack);
    for (int y = 11; y < 28; ++y)
        ASSERT_EQ(img.pixelColor(x, y), kWhite) << y;
    for (int y = 472; y < 489; ++y)
        ASSERT_EQ(img.pixelColor(x, y), kWhite) << y;
    EXPECT_EQ(img.pixelColor(x, 28), kBlack);
    EXPECT_EQ(img.pixelColor(x, 471), kBlack);
    // Outside the frame the window's own background shows.
    const QColor face = s.view.viewport()->palette().color(QPalette::Button);
    EXPECT_EQ(img.pixelColor(x, 9), face);
    EXPECT_EQ(img.pixelColor(x, 490), face);
    EXPECT_EQ(img.pixelColor(kRight + 1, 300), face);
    // Each field: its top line, then white (even) or the shade (odd).
    for (int i = 0; i < 16; ++i) {
        const RECT r = s.Field(i);
        EXPECT_EQ(img.pixelColor(x, r.top), kBlack) << i;
        EXPECT_EQ(img.pixelColor(x, (r.top + r.bottom) / 2), i % 2 ? kGrey : kWhite) << i;
        EXPECT_EQ(img.pixelColor(kLeft + 1, r.top + 1), i % 2 ? kGrey : kWhite) << i;
        EXPECT_EQ(img.pixelColor(kRight - 1, r.bottom - 1), i % 2 ? kGrey : kWhite) << i;
    }

    s.view.shadeIndex = 0;
    const QImage white = s.Render();
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(white.pixelColor(x, (s.Field(i).top + s.Field(i).bottom) / 2), kWhite) << i;
}

TEST(Drawing, FieldColoursShowAndColourZeroIsNoColour) {
    Screen s;
    s.doc.colors[3] = 0x00FFFF;   // yellow
    s.doc.colors[4] = 0xFF0000;   // blue
    s.doc.colors[5] = 0x000000;   // black is 0: no colour of its own
    s.doc.colors[6] = 0x01000000; // nothing in the red, green and blue bytes
    const QImage img = s.Render();
    auto mid = [&](int i) {
        const RECT r = s.Field(i);
        return img.pixelColor(kLeft + 50, (r.top + r.bottom) / 2);
    };
    EXPECT_EQ(mid(3), QColor(255, 255, 0));
    EXPECT_EQ(mid(4), QColor(0, 0, 255));
    EXPECT_EQ(mid(5), kGrey);
    EXPECT_EQ(mid(6), kWhite);
    EXPECT_EQ(mid(7), kGrey);
    // The coloured field keeps its outline.
    EXPECT_EQ(img.pixelColor(kLeft, s.Field(3).top + 5), kBlack);
    EXPECT_EQ(img.pixelColor(kLeft + 50, s.Field(4).top), kBlack);
}

TEST(Drawing, NamesAreIndentedAndCutAtTheStripsRightEdge) {
    Screen s;
    s.doc.names[2] = "Hans";
    s.doc.names[9] = "WWWWWWWWWWWWWWWWWWWWWWWW";
    const RECT f2 = s.Field(2);
    const RECT f9 = s.Field(9);

    s.view.textOffset = 0;
    const QImage flush = s.Render();
    s.view.textOffset = 10; // 1 mm: 3 pixels
    const QImage indented = s.Render();
    const int a = Screen::FirstInkColumn(flush, kLeft + 1, kRight, f2.top + 2, f2.bottom - 1);
    const int b = Screen::FirstInkColumn(indented, kLeft + 1, kRight, f2.top + 2, f2.bottom - 1);
    ASSERT_GE(a, kLeft + 1);
    EXPECT_EQ(b - a, 3);
    // The text stands centred in its field.
    EXPECT_TRUE(Screen::InkIn(indented, kLeft + 1, kRight, (f2.top + f2.bottom) / 2,
                              (f2.top + f2.bottom) / 2 + 1));

    // The long name reaches the right frame line and stops there.
    EXPECT_TRUE(Screen::InkIn(indented, kRight - 4, kRight, f9.top + 2, f9.bottom - 1));
    // Right of the strip lies only the mark saying that it does not fit.
    const QColor face = s.view.viewport()->palette().color(QPalette::Button);
    for (int x = kRight + 1; x < 142; ++x)
        for (int y = f9.top; y < f9.bottom; ++y)
            if (x > kRight + 1 + StripPainter::kMarkWidth)
                ASSERT_EQ(indented.pixelColor(x, y), face) << x << "," << y;
            else
                ASSERT_NE(indented.pixelColor(x, y), Qt::black) << x << "," << y;
    // An empty name draws nothing.
    EXPECT_FALSE(
        Screen::InkIn(indented, kLeft + 1, kRight, s.Field(3).top + 1, s.Field(3).bottom - 1));
}

TEST(Drawing, FontTallerThanAFieldReachesUpAndIsCoveredBelow) {
    Screen s;
    s.view.labelFont.Create("Arial", 60, 0, 0);
    s.doc.names[5] = "Hg";
    s.doc.names[15] = "Hg";
    const QImage img = s.Render();
    const RECT f4 = s.Field(4), f5 = s.Field(5), f6 = s.Field(6), f15 = s.Field(15);
    // The name starts above its field and covers part of the one above.
    EXPECT_TRUE(Screen::InkIn(img, kLeft + 1, kRight, f4.top + 1, f4.bottom));
    // The next field's background is painted over what reached down.
    EXPECT_FALSE(Screen::InkIn(img, kLeft + 1, kRight, f6.top + 1, f6.bottom));
    EXPECT_TRUE(Screen::InkIn(img, kLeft + 1, kRight, f5.top + 1, f5.bottom));
    // Below the last field the frame's white shows it, up to the frame.
    EXPECT_TRUE(Screen::InkIn(img, kLeft + 1, kRight, f15.bottom + 1, 489));
    const QColor face = s.view.viewport()->palette().color(QPalette::Button);
    for (int x = kLeft; x <= kRight; ++x)
        ASSERT_EQ(img.pixelColor(x, 491), face) << x;
}

namespace {

// The paper picture at 600 dpi on an image, through the view's print hooks
// (the model's tests draw it through the painter alone).
struct Paper {
    explicit Paper(POINT offset = {}, bool hasOffset = false)
        : paper(600, offset, hasOffset, QSize(1200, 3800)) {
        doc.ResetToNew();
        doc.AddView(&view);
        doc.SetTitle(QStringLiteral("00"));
    }
    QImage Render() {
        PrintInfo info;
        view.OnBeginPrinting(*paper.dc, info);
        view.OnPrepareDC(*paper.dc);
        view.OnDraw(*paper.dc);
        view.OnEndPrinting(*paper.dc, info);
        return paper.image;
    }
    CV7NamenDoc doc;
    CV7NamenView view;
    PaperDc paper;
};

} // namespace

namespace {

// A checksum of the picture's pixels, with the rectangles in `skip` blanked.
QByteArray PixelSum(QImage image, const std::vector<QRect>& skip = {}) {
    image = image.convertToFormat(QImage::Format_RGB32);
    for (const QRect& r : skip)
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                image.setPixel(x, y, 0xFF00FF);
    const auto* bits = reinterpret_cast<const char*>(image.constBits());
    return QCryptographicHash::hash(QByteArrayView(bits, image.sizeInBytes()),
                                    QCryptographicHash::Md5)
        .toHex();
}

const QString kDemo = QStringLiteral(QUINTARA_TEST_DATA "/demo.V7N");

// The rightmost column with ink inside field i of the 600-dpi paper, -1 for none.
int LastInkColumn(const QImage& image, int i) {
    const int top = MulDiv(i * 70 + 46, 600, 254) + 472;
    const int bottom = MulDiv((i + 1) * 70 + 46, 600, 254) + 472;
    for (int x = 1084; x > 472; --x)
        for (int y = top + 2; y < bottom - 1; ++y)
            if (IsInk(image.pixelColor(x, y)))
                return x;
    return -1;
}

} // namespace

TEST(Drawing, DemoStripPixelsAsBeforeAndNarrowerLongNamesInsideTheirFields) {
    // The screen and the 600-dpi paper picture of the demo strip, pixel for
    // pixel as they were before long names could be set narrower (on
    // screen without the marks of names too long for the paper; on paper
    // without the footer's date).
    Screen s;
    ASSERT_TRUE(s.doc.OnOpenDocument(kDemo));
    std::vector<QRect> marks;
    for (const UnfitName& u : s.view.PaperUnfitNames()) {
        const RECT f = s.Field(u.index);
        marks.emplace_back(QPoint(f.right + 1, f.top), QPoint(f.right + 7, f.bottom));
    }
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_EQ(PixelSum(s.Render(), marks), "602263634c6cf32dd0ddd72b2d41ea0a");
    Paper p;
    ASSERT_TRUE(p.doc.OnOpenDocument(kDemo));
    p.doc.SetTitle(QStringLiteral("00"));
    const QImage before = p.Render();
    const std::vector<QRect> footer{QRect(0, 3340, 1200, 460)};
    EXPECT_EQ(PixelSum(before, footer), "aaa677226df52945ea5672fe7a5582e9");

    // Set narrower, the two long names end left of the right indent (24
    // pixels) instead of at the strip's edge; every other pixel stays.
    p.view.SetFitLongNames(true);
    const QImage narrow = p.Render();
    int changed = 0;
    for (int i = 0; i < 16; ++i) {
        EXPECT_LT(LastInkColumn(narrow, i), 1086 - 24) << i;
        if (LastInkColumn(before, i) >= 1086 - 24)
            ++changed;
        else
            EXPECT_EQ(LastInkColumn(narrow, i), LastInkColumn(before, i)) << i;
    }
    EXPECT_EQ(changed, 2);
    QImage merged = narrow;
    for (int i : {s.view.PaperUnfitNames()[0].index, s.view.PaperUnfitNames()[1].index}) {
        const int top = MulDiv(i * 70 + 46, 600, 254) + 472;
        const int bottom = MulDiv((i + 1) * 70 + 46, 600, 254) + 472;
        for (int y = top; y <= bottom; ++y)
            for (int x = 0; x < merged.width(); ++x)
                merged.setPixel(x, y, before.pixel(x, y));
    }
    EXPECT_EQ(PixelSum(merged, footer), PixelSum(before, footer));
}

TEST(Drawing, NoSeamUnderTheFieldSeparatorsAtAnyScale) {
    // Where one pixel of the picture is several of the screen, the line
    // above a shaded field meets the shade with no white in between.
    Screen s;
    for (const qreal ratio : {1.25, 1.5, 2.0}) {
        QImage image(s.view.viewport()->size() * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::white);
        s.view.viewport()->render(&image);
        const int x = int((kLeft + 50) * ratio);
        for (int i = 1; i < 16; i += 2) {
            const RECT f = s.Field(i);
            int y = int(f.top * ratio) - 1;
            while (y < int(f.bottom * ratio) && !IsInk(image.pixelColor(x, y)))
                ++y;
            while (y < int(f.bottom * ratio) && IsInk(image.pixelColor(x, y)))
                ++y;
            EXPECT_EQ(image.pixelColor(x, y), kGrey) << ratio << " field " << i << " row " << y;
        }
    }
}
