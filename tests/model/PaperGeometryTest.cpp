// SPDX-License-Identifier: GPL-3.0-or-later
// Where the fields lie on paper: at true size, at the margins measured
// from the paper's corner, corrected by the print scale.

#include "PaperDc.h"
#include "document/SettingsView.h"
#include "paint/StripPainter.h"

#include <gtest/gtest.h>

namespace {

RECT Paper(const SettingsView& view, int index, PaperDc& paper) {
    StripPainter painter(nullptr, view);
    painter.SetPaper(true);
    RECT r;
    painter.GetFieldRect(index, r, paper.dc.get());
    return r;
}

} // namespace

TEST(PaperGeometry, PaperFieldsAtTrueSizeAndMargins) {
    SettingsView view;
    PaperDc p600(600);
    EXPECT_EQ(Paper(view, 0, p600), (RECT{472, 581, 1086, 746}));
    // Without the shift field 1 would start at 274: 472 + 274.
    EXPECT_EQ(Paper(view, 1, p600).top, 746);
    EXPECT_EQ(Paper(view, 15, p600).bottom, 472 + 2754);

    PaperDc p300(300);
    for (int i = 0; i < 16; ++i) {
        const RECT r = Paper(view, i, p300);
        EXPECT_EQ(r.right - r.left, 307);
        EXPECT_TRUE(r.bottom - r.top == 82 || r.bottom - r.top == 83) << i;
        EXPECT_EQ(r.bottom, Paper(view, i + 1, p300).top);
    }

    // Half the horizontal scale doubles the logical margin.
    view.zoomX = 50;
    EXPECT_EQ(Paper(view, 0, p600).left, 944);
    EXPECT_EQ(Paper(view, 0, p600).top, 581);
    view.zoomX = 100;

    // A printing offset is subtracted, so the strip lands at the margins
    // measured from the paper's corner.
    PaperDc offset(600, {60, 40}, true);
    EXPECT_EQ(Paper(view, 0, offset), (RECT{412, 541, 1026, 706}));
    // An offset the device does not report plays no part.
    PaperDc unsupported(600, {60, 40}, false);
    EXPECT_EQ(Paper(view, 0, unsupported).left, 472);
}

TEST(PaperGeometry, HugeMarginsFromAFileNeverOverflow) {
    SettingsView view;
    PaperDc p600(600);
    view.zoomX = view.zoomY = 1;
    view.leftMargin = view.topMargin = 0x7FFFFFFF;
    const RECT huge = Paper(view, 0, p600);
    EXPECT_GT(huge.right, huge.left);
    view.leftMargin = view.topMargin = -0x7FFFFFFF - 1;
    const RECT negative = Paper(view, 0, p600);
    EXPECT_GT(negative.right, negative.left);
}
