// SPDX-License-Identifier: GPL-3.0-or-later
// The program's icons are painted on demand at the size asked for: the
// right image at every size a desktop may ask for, each painted once.

#include "app/artwork/Artwork.h"

#include <QIcon>
#include <gtest/gtest.h>

TEST(ArtworkIcon, PaintsTheAskedSizeOnceAndOffersTheShippedSizes) {
    const QIcon icon = artwork::AppIconSet();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.availableSizes().size(), 7);
    EXPECT_TRUE(icon.availableSizes().contains(QSize(256, 256)));
    // A window offers only what title bars and task switchers show.
    EXPECT_EQ(artwork::WindowIconSet().availableSizes().back(), QSize(64, 64));

    for (int side : {16, 48, 256}) {
        const QPixmap first = icon.pixmap(side, side);
        EXPECT_EQ(first.size(), QSize(side, side));
        EXPECT_EQ(first.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
                  artwork::AppIcon(side).convertToFormat(QImage::Format_ARGB32_Premultiplied))
            << side;
        EXPECT_EQ(icon.pixmap(side, side).cacheKey(), first.cacheKey()) << "painted again";
    }
    // A copy shares what was painted; the document icon is a different picture.
    EXPECT_EQ(QIcon(icon).pixmap(48, 48).cacheKey(), icon.pixmap(48, 48).cacheKey());
    EXPECT_NE(artwork::DocumentIconSet().pixmap(48, 48).toImage(), icon.pixmap(48, 48).toImage());
}

TEST(ArtworkIcon, ToolbarImagesKeepTheirContrastOnADarkBarAndStaySharpWhenScaled) {
    // The blue of Save and Help: dark on a light bar, light on a dark one.
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x30, 0x30, 0x30));
    dark.setColor(QPalette::WindowText, QColor(0xE0, 0xE0, 0xE0));
    const auto lightness = [](const QPixmap& pixmap, int x, int y) {
        return pixmap.toImage().pixelColor(x, y).lightness();
    };
    EXPECT_LT(lightness(artwork::Toolbar(artwork::Save), 2, 12), 100);
    EXPECT_GT(lightness(artwork::Toolbar(artwork::Save, 1, dark), 2, 12), 128);
    EXPECT_LT(lightness(artwork::Toolbar(artwork::Help), 3, 8), 100);
    EXPECT_GT(lightness(artwork::Toolbar(artwork::Help, 1, dark), 3, 8), 128);
    // At twice the scale a 32-pixel image is painted, not a 16-pixel one blown up.
    const QPixmap twice =
        artwork::ToolbarIcon(artwork::Help, QPalette()).pixmap(QSize(16, 16), 2.0);
    EXPECT_EQ(twice.size(), QSize(32, 32));
    EXPECT_EQ(twice.toImage(), artwork::Toolbar(artwork::Help, 2.0).toImage());
}
