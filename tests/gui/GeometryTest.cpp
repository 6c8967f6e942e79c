// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/V7NamenView.h"

#include <QScrollBar>
#include <gtest/gtest.h>

namespace {

// A view whose client area is exactly `width` by `height` pixels.
struct SizedView {
    explicit SizedView(int width, int height = 600) {
        view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.resize(width, height);
        view.show(); // lays out the viewport
    }
    RECT Field(int i) {
        RECT r;
        view.GetFieldRect(i, r, nullptr);
        return r;
    }
    CV7NamenView view;
};

} // namespace

TEST(Geometry, ScreenFieldsTileTheStripWithSharedBoundaries) {
    SizedView v(102);
    const int tops[17] = {28,  55,  83,  111, 139, 166, 194, 222, 250,
                          277, 305, 333, 360, 388, 416, 444, 471};
    for (int i = 0; i < 16; ++i) {
        const RECT r = v.Field(i);
        EXPECT_EQ(r.left, 0) << i;
        EXPECT_EQ(r.right, 102) << i;
        EXPECT_EQ(r.top, tops[i]) << i;
        EXPECT_EQ(r.bottom, tops[i + 1]) << i;
    }
    // Half-open hit test: a shared line belongs to the lower field.
    auto hit = [&](POINT p) {
        int found = -1;
        for (int i = 0; i < 16; ++i)
            if (PtInRect(v.Field(i), p))
                found = i;
        return found;
    };
    EXPECT_EQ(hit({5, 55}), 1);
    EXPECT_EQ(hit({5, 54}), 0);
    EXPECT_EQ(hit({5, 27}), -1);
    EXPECT_EQ(hit({5, 28}), 0);
    EXPECT_EQ(hit({5, 470}), 15);
    EXPECT_EQ(hit({5, 471}), -1);
    EXPECT_EQ(hit({101, 100}), 2);
    EXPECT_EQ(hit({102, 100}), -1);
    // The same formulas hold outside 0..15: 16 lies just below 15.
    EXPECT_EQ(v.Field(16).top, 471);
    EXPECT_EQ(v.Field(-1).bottom, 28);
}

TEST(Geometry, StripIsCentredInWideClientsAndSticksLeftInNarrowOnes) {
    EXPECT_EQ(SizedView(142).Field(0).left, 20);
    EXPECT_EQ(SizedView(143).Field(0).left, 20);
    EXPECT_EQ(SizedView(102).Field(0).left, 0);
    EXPECT_EQ(SizedView(60).Field(0).left, 0);
    SizedView wide(142);
    const RECT r = wide.Field(0);
    EXPECT_EQ(r, (RECT{20, 28, 122, 55}));
    // Scrolling does not move the rectangles (they are in scroll-area pixels).
    SizedView scrolled(142, 100);
    scrolled.view.OnInitialUpdate();
    scrolled.view.ScrollToPosition({0, 50});
    EXPECT_EQ(scrolled.view.GetScrollPosition().y, 50);
    EXPECT_EQ(scrolled.Field(3), (RECT{20, 111, 122, 139}));
}

TEST(Geometry, ScrollSizesOfTheInitialUpdate) {
    SizedView v(142, 200);
    v.view.OnInitialUpdate();
    EXPECT_EQ(v.view.GetTotalSize(), (SIZE{142, 500}));
    EXPECT_EQ(v.view.GetPageSize(), (SIZE{14, 50}));
    EXPECT_EQ(v.view.GetLineSize(), (SIZE{1, 5}));
    EXPECT_EQ(v.view.verticalScrollBar()->maximum(), 300);
}
