// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/base/MulDiv.h"

#include <gtest/gtest.h>

TEST(MulDiv, RoundsHalvesAwayFromZeroOnBothSides) {
    EXPECT_EQ(MulDiv(260, 96, 254), 98);   // 98.26
    EXPECT_EQ(MulDiv(1212, 96, 254), 458); // 458.08
    EXPECT_EQ(MulDiv(17, 600, 96), 106);   // 106.25
    EXPECT_EQ(MulDiv(5, 1, 2), 3);         // 2.5 up
    EXPECT_EQ(MulDiv(-5, 1, 2), -3);       // -2.5 away from zero
    EXPECT_EQ(MulDiv(5, -1, 2), -3);
    EXPECT_EQ(MulDiv(5, 1, -2), -3);
    EXPECT_EQ(MulDiv(-5, -1, 2), 3);
    EXPECT_EQ(MulDiv(-7, 1, 3), -2); // -2.33 toward nearest
    EXPECT_EQ(MulDiv(-8, 1, 3), -3); // -2.67
    EXPECT_EQ(MulDiv(200, 600, 254), 472);
}

TEST(MulDiv, ExactWideProductAndFailures) {
    // The product exceeds 32 bits but the quotient does not.
    EXPECT_EQ(MulDiv(2000000000, 3, 4), 1500000000);
    EXPECT_EQ(MulDiv(0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF), 0x7FFFFFFF);
    EXPECT_EQ(MulDiv(1, 2, 0), -1);
    // A quotient outside 32 bits gives -1.
    EXPECT_EQ(MulDiv(0x7FFFFFFF, 4, 1), -1);
    EXPECT_EQ(MulDiv(-2147483647 - 1, 1, 1), -2147483647 - 1);
}
