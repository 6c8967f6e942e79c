// SPDX-License-Identifier: GPL-3.0-or-later
// Several strips on one sheet: where they go on an A4 page at 600 dots per
// inch, and that each is drawn as it would be alone.

#include "PaperDc.h"
#include "ScriptedUiHost.h"
#include "document/LayoutSettings.h"
#include "paint/StripSheet.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A4 at 600 dots per inch, drawn from the paper's corner.
DeviceContext::Attributes A4At600() {
    DeviceContext::Attributes a;
    a.dpiX = a.dpiY = 600;
    a.isPrinter = true;
    a.hasPrintingOffset = true;
    a.horzRes = 4961;
    a.vertRes = 7016;
    return a;
}

constexpr LONG kGap = 118; // 5 mm at 600 dots per inch

int DifferingPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return a.width() * a.height();
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            count += a.pixel(x, y) != b.pixel(x, y);
    return count;
}

class Sheet : public ::testing::Test {
protected:
    QString TempPath(const QString& name) const { return dir.filePath(name); }
    // n copies of demo.V7N named s00.V7N, s01.V7N, ...
    QStringList Copies(int n, const char* source = "demo.V7N") {
        QStringList paths;
        for (int i = 0; i < n; ++i) {
            paths << TempPath(QString::asprintf("s%02d.V7N", i));
            QFile::remove(paths.back());
            QFile::copy(QStringLiteral(QUINTARA_TEST_DATA "/") + source, paths.back());
        }
        return paths;
    }
    static LayoutValues Zoom(int percent) {
        LayoutValues v;
        v.zoomX = v.zoomY = std::int16_t(percent);
        return v;
    }
    // The picture of one page of the sheet, at 600 dots per inch.
    static QImage Render(StripSheet& sheet, int page) {
        PaperDc paper(600, {}, true, QSize(4961, 7016));
        sheet.LayOut(A4At600()); // as the job's preparation does
        sheet.BeginPrinting(*paper.dc);
        DeviceContext dc(*paper.painter, A4At600());
        sheet.DrawPage(dc, page - 1);
        return paper.image;
    }

    QTemporaryDir dir;
    ScriptedUiHost ui;
};

} // namespace

TEST_F(Sheet, StripsGoSideBySideThenToANewRowOrPageAndNeverOverlap) {
    // Full size: margins 20 mm (472 pixels), a strip 614 pixels wide, the
    // next one 5 mm to its right; the seventh passes the right edge and,
    // as no second row fits below the first, opens page 2.
    for (const int count : {1, 6, 7}) {
        StripSheet sheet(Zoom(100), false);
        ASSERT_TRUE(sheet.Load(Copies(count)).isEmpty());
        const std::vector<SheetPlace> places = sheet.LayOut(A4At600());
        ASSERT_EQ(int(places.size()), count);
        for (int i = 0; i < std::min(count, 6); ++i) {
            EXPECT_EQ(places[std::size_t(i)].page, 0) << count << " " << i;
            EXPECT_EQ(places[std::size_t(i)].offset.x, i * (614 + kGap)) << count << " " << i;
            EXPECT_EQ(places[std::size_t(i)].offset.y, 0);
        }
        EXPECT_EQ(SheetPageCount(places), count == 7 ? 2 : 1);
        if (count == 7) {
            EXPECT_EQ(places[6].page, 1);
            EXPECT_EQ(places[6].offset.x, 0);
            EXPECT_EQ(places[6].offset.y, 0);
        }
    }

    // Half size: ten strips a row (307 pixels and the gap), rows below each
    // other. One title is far wider than its strip: the next strip keeps
    // the gap to it instead.
    QStringList files = Copies(13);
    const QString wide = TempPath("Geschaeftsfuehrung und Konferenzraum.V7N");
    QFile::copy(files[3], wide);
    files[3] = wide;
    StripSheet sheet(Zoom(50), false);
    ASSERT_TRUE(sheet.Load(files).isEmpty());
    const std::vector<SheetPlace> places = sheet.LayOut(A4At600());
    ASSERT_EQ(places.size(), 13u);
    EXPECT_EQ(places[1].offset.x, 307 + kGap);
    EXPECT_EQ(places[3].offset.x, 3 * (307 + kGap));
    EXPECT_GT(places[4].offset.x - places[3].offset.x, 700); // the title's width
    int perRow = 0;
    while (perRow < 13 && places[std::size_t(perRow)].offset.y == 0)
        ++perRow;
    EXPECT_GE(perRow, 7);
    EXPECT_LE(perRow, 9);
    EXPECT_EQ(SheetPageCount(places), 1);
    EXPECT_EQ(places[std::size_t(perRow)].offset.x, 0);
    // Below the first row's titles (about 1672 pixels from the frame's top)
    // and the gap.
    EXPECT_GT(places[std::size_t(perRow)].offset.y, 1431 + 137 + kGap);
    for (std::size_t i = 0; i < places.size(); ++i)
        EXPECT_LE(472 + places[i].offset.x + 307, 4961) << i; // within the printable width
}

TEST_F(Sheet, EachStripIsDrawnAsAloneWithItsOwnLookAndCuttingMarks) {
    // demo.V7N has the default look; settings.V7N its own indent, shade and
    // font. On the sheet both take the first one's margins and scales.
    const QStringList files = {QStringLiteral(QUINTARA_TEST_DATA "/demo.V7N"),
                               QStringLiteral(QUINTARA_TEST_DATA "/settings.V7N")};
    StripSheet both(Zoom(100), false);
    ASSERT_TRUE(both.Load(files).isEmpty());
    const QImage sheet = Render(both, 1);
    const LONG dx = both.LayOut(A4At600())[1].offset.x;
    for (int i = 0; i < 2; ++i) {
        StripSheet alone(Zoom(100), false);
        ASSERT_TRUE(alone.Load({files[i]}).isEmpty());
        const QImage single = Render(alone, 1);
        // The frame with its footer, from 20 mm to past the date.
        const QRect area(472, 472, 614, 3400);
        // The raster engine may set a glyph of a title a pixel apart at
        // another place on the page; anything else shows as hundreds.
        EXPECT_LE(DifferingPixels(sheet.copy(area.translated(i * dx, 0)), single.copy(area)), 8)
            << i;
    }
    EXPECT_EQ(dx, 614 + kGap);

    // Marks 1 mm outside the top-left corner, 3 mm long, on the frame's
    // lines; none in the first millimetre.
    const auto ink = [&](int x, int y) { return sheet.pixelColor(x, y).lightness() < 100; };
    EXPECT_TRUE(ink(472 - 25, 472));
    EXPECT_TRUE(ink(472 - 24 - 70, 472));
    EXPECT_FALSE(ink(472 - 12, 472));
    EXPECT_FALSE(ink(472 - 24 - 72, 472));
    EXPECT_TRUE(ink(472, 472 - 40));
    EXPECT_FALSE(ink(472, 472 - 12));
    // Below the right corner of the second strip.
    const int right = 472 + int(dx) + 613;
    const int bottom = 472 + 2863 - 1;
    EXPECT_TRUE(ink(right, bottom + 24 + 35));
    EXPECT_FALSE(ink(right, bottom + 12));

    // At half size the title comes within 3 mm of the frame: the mark below
    // the left corner, on the title's edge, ends 1 mm short of it.
    StripSheet half(Zoom(50), false);
    ASSERT_TRUE(half.Load(Copies(1)).isEmpty());
    const QImage small = Render(half, 1);
    const auto smallInk = [&](int x, int y) { return small.pixelColor(x, y).lightness() < 100; };
    // The frame's bottom line: the last ink of a column the title does not reach.
    int halfBottom = 472 + 1600;
    while (halfBottom > 472 && !smallInk(472 + 290, halfBottom))
        --halfBottom;
    int titleTop = halfBottom + 1;
    while (titleTop < halfBottom + 200 && ![&] {
        for (int x = 480; x < 560; ++x)
            if (smallInk(x, titleTop))
                return true;
        return false;
    }())
        ++titleTop;
    ASSERT_LT(titleTop, halfBottom + 200) << "no title below the frame";
    EXPECT_TRUE(smallInk(472, halfBottom + 24 + 2)) << "the mark is there";
    for (int y = titleTop - 23; y < titleTop; ++y)
        EXPECT_FALSE(smallInk(472, y)) << "mark at " << y << ", title from " << titleTop;
}
