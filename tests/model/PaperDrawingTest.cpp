// SPDX-License-Identifier: GPL-3.0-or-later
// The strip's paper picture, drawn by the painter on an image standing in
// for a 600-dpi printer, as a print job draws it.

#include "PaperDc.h"
#include "document/LayoutSettings.h"
#include "document/SettingsView.h"
#include "document/V7NamenDoc.h"
#include "paint/StripPainter.h"

#include <gtest/gtest.h>

namespace {

const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
const QColor kGrey(0xC0, 0xC0, 0xC0); // ShadeTable[2]

bool IsInk(QColor c) {
    return c.lightness() < 100;
}

bool InkIn(const QImage& image, int x0, int x1, int top, int bottom) {
    for (int x = x0; x < x1; ++x)
        for (int y = top; y < bottom; ++y)
            if (IsInk(image.pixelColor(x, y)))
                return true;
    return false;
}

} // namespace

namespace {

// The paper picture at 600 dpi on an image.
struct Paper {
    explicit Paper(POINT offset = {}, bool hasOffset = false)
        : paper(600, offset, hasOffset, QSize(1200, 3800)) {
        doc.ResetToNew();
        doc.AddView(&view);
        doc.SetTitle(QStringLiteral("00"));
    }
    ~Paper() { doc.RemoveView(&view); }
    // As a print job draws it: the printer font made for the paper, the
    // print scale applied.
    QImage Render() {
        printerFont.ScaleForPrinter(*paper.dc, view.labelFont);
        StripPainter painter(&doc, view, &printerFont);
        painter.SetPaper(true);
        painter.SetFitLongNames(fit);
        const int saved = paper.dc->SaveDC();
        painter.ApplyPrintScale(*paper.dc);
        painter.Draw(*paper.dc);
        paper.dc->RestoreDC(saved);
        return paper.image;
    }
    // The first row with ink in columns x0..x1-1 from row `from` down.
    static int FirstInkRow(const QImage& image, int x0, int x1, int from) {
        for (int y = from; y < image.height(); ++y)
            for (int x = x0; x < x1; ++x)
                if (IsInk(image.pixelColor(x, y)))
                    return y;
        return -1;
    }
    CV7NamenDoc doc;
    SettingsView view;
    CLabelFont printerFont;
    bool fit = false; // long names set narrower
    PaperDc paper;
};

} // namespace

TEST(PaperDrawing, PaperStripAtTrueSizeAndMargins) {
    Paper p;
    const QImage img = p.Render();
    // The frame's corner at the 20 mm margins, 614 by 2863 pixels.
    EXPECT_EQ(img.pixelColor(472, 472), kBlack);
    EXPECT_EQ(img.pixelColor(471, 472), kWhite);
    EXPECT_EQ(img.pixelColor(472, 471), kWhite);
    EXPECT_EQ(img.pixelColor(1085, 472), kBlack);
    EXPECT_EQ(img.pixelColor(1086, 600), kWhite);
    EXPECT_EQ(img.pixelColor(700, 472 + 2863 - 1), kBlack);
    EXPECT_EQ(img.pixelColor(700, 472 + 2863), kWhite);
    // Field 0 is (472, 581, 1086, 746): its outline and its white inside.
    EXPECT_EQ(img.pixelColor(700, 581), kBlack);
    EXPECT_EQ(img.pixelColor(700, 580), kWhite);
    EXPECT_EQ(img.pixelColor(700, 746), kBlack);
    EXPECT_EQ(img.pixelColor(700, 745), kWhite);
    EXPECT_EQ(img.pixelColor(700, 747), kGrey);
}

TEST(PaperDrawing, PaperScaleAndPrintingOffset) {
    Paper half;
    half.view.zoomX = 50;
    const QImage img = half.Render();
    // Half as wide, full height, the margins still 20 mm.
    EXPECT_EQ(img.pixelColor(472, 472), kBlack);
    EXPECT_EQ(img.pixelColor(471, 600), kWhite);
    EXPECT_EQ(img.pixelColor(472 + 307 - 1, 600), kBlack);
    EXPECT_EQ(img.pixelColor(472 + 307, 600), kWhite);
    EXPECT_EQ(img.pixelColor(600, 472 + 2863 - 1), kBlack);

    // A device whose origin lies 60 and 40 pixels into the paper.
    Paper offset({60, 40}, true);
    const QImage moved = offset.Render();
    EXPECT_EQ(moved.pixelColor(412, 432), kBlack);
    EXPECT_EQ(moved.pixelColor(411, 432), kWhite);
    EXPECT_EQ(moved.pixelColor(412, 431), kWhite);
}

TEST(PaperDrawing, FooterTitleAndDateBelowTheLastField) {
    Paper p;
    const QImage img = p.Render();
    // Where a "0" of the printer font starts below the top of its cell.
    PaperDc probe(600, {}, false, QSize(400, 400));
    probe.dc->SelectFont(&p.printerFont);
    probe.dc->TextOut(10, 100, std::string("0"));
    const int inkTop = Paper::FirstInkRow(probe.image, 0, 400, 0) - 100;
    TEXTMETRIC tm;
    probe.dc->GetTextMetrics(tm);
    ASSERT_GT(tm.tmHeight, 50);

    // Field 15's bottom line is at 3226; 116 tenths of a mm are 274 pixels.
    const int titleTop = 3226 + 1 + 274;
    const int titleInk = Paper::FirstInkRow(img, 472, 1200, 472 + 2863 + 1);
    EXPECT_EQ(titleInk, titleTop + inkTop);
    const int dateInk = Paper::FirstInkRow(img, 472, 1200, titleInk + tm.tmHeight - inkTop);
    EXPECT_EQ(dateInk, titleInk + tm.tmHeight);
    // Neither line is indented: both start at the strip's left edge.
    EXPECT_FALSE(InkIn(img, 0, 472, titleTop, titleTop + 2 * tm.tmHeight));
}

TEST(PaperDrawing, AVeryLongNameDrawsOnlyItsVisibleBeginning) {
    // Four mebibytes of name (the drawing does not count on what a file may
    // hold) give, on paper, the very pixels of the name's first 300
    // characters, which already run far past the strip's right edge.
    std::string name;
    while (name.size() < (4u << 20))
        name += "Abcdefgh ";
    Paper whole;
    Paper cut;
    whole.doc.names[3] = name;
    cut.doc.names[3] = name.substr(0, 300);
    const QImage expected = cut.Render();
    // Field 3 lies from row 1077 to 1242.
    ASSERT_TRUE(InkIn(expected, 1000, 1086, 1078, 1242)) << "the cut name fills the field";
    EXPECT_EQ(whole.Render(), expected);
}

TEST(PaperDrawing, TrailingBlanksTakeNoRoomInAField) {
    // A name that fits with blanks behind it is not too long, and set
    // narrower it is narrowed as far as its letters need, no further.
    Paper p;
    p.doc.names[0] = "Konferenzra   ";
    p.doc.names[1] = "Konferenzraum";
    p.doc.names[3] = "Konferenzraum  ";
    DeviceContext::Attributes at600;
    at600.dpiX = at600.dpiY = 600;
    at600.isPrinter = true;
    const std::vector<UnfitName> unfit = StripPainter(&p.doc, p.view).UnfitNames(at600);
    ASSERT_EQ(unfit.size(), 2u);
    EXPECT_EQ(unfit[0].index, 1);
    EXPECT_EQ(unfit[1].index, 3);
    EXPECT_EQ(unfit[1].name, QString("Konferenzraum"));
    EXPECT_EQ(unfit[0].overhang, unfit[1].overhang);

    p.fit = true;
    const QImage narrow = p.Render();
    // Fields 1 and 3 (rows 746 to 911 and 1077 to 1242) look alike.
    EXPECT_EQ(narrow.copy(472, 747, 614, 163), narrow.copy(472, 1078, 614, 163));
}
