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
