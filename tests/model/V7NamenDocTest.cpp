// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/V7NamenDoc.h"

#include <gtest/gtest.h>

namespace {

void Fill(CV7NamenDoc& doc) {
    for (int i = 0; i < 16; ++i) {
        doc.names[std::size_t(i)] = "N" + std::to_string(i);
        doc.colors[std::size_t(i)] = COLORREF(0x100 + i);
    }
    doc.SetModifiedFlag(false);
}

} // namespace

TEST(V7NamenDoc, ResetGivesSixteenEmptyFieldsAndClearsPathAndFlag) {
    CV7NamenDoc doc;
    EXPECT_TRUE(doc.names.empty());
    EXPECT_TRUE(doc.colors.empty());
    // Nothing to insert into or remove from before the first reset.
    doc.InsertField(0);
    doc.RemoveField(0);
    EXPECT_TRUE(doc.names.empty());
    EXPECT_FALSE(doc.IsModified());

    doc.ResetToNew();
    Fill(doc);
    doc.SetPathName("/tmp/some.V7N", false);
    doc.SetModifiedFlag(true);
    EXPECT_TRUE(doc.ResetToNew());
    ASSERT_EQ(doc.names.size(), 16u);
    ASSERT_EQ(doc.colors.size(), 16u);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(doc.GetName(i), "");
        EXPECT_EQ(doc.colors[std::size_t(i)], 0u);
    }
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(doc.GetPathName().isEmpty());
}

TEST(V7NamenDoc, NamesOutOfRangeAreIgnoredAndEqualNamesLeaveTheFlag) {
    CV7NamenDoc doc;
    doc.ResetToNew();
    EXPECT_EQ(doc.GetName(-1), "");
    EXPECT_EQ(doc.GetName(16), "");
    doc.SetName(-1, "x");
    doc.SetName(16, "x");
    EXPECT_FALSE(doc.IsModified());

    doc.SetName(3, "");
    EXPECT_FALSE(doc.IsModified()) << "the same (empty) text is no change";
    doc.SetName(3, "Zentrale");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetName(3), "Zentrale");
    doc.SetModifiedFlag(false);
    doc.SetName(3, "Zentrale");
    EXPECT_FALSE(doc.IsModified());
    // Comparison is byte for byte: case and code page 1252 bytes count.
    doc.SetName(3, "zentrale");
    EXPECT_TRUE(doc.IsModified());
    doc.SetModifiedFlag(false);
    doc.SetName(3, std::string("M\xFC"
                               "ller"));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetName(3), std::string("M\xFCller"));
}

TEST(V7NamenDoc, InsertAndRemoveMoveNamesAndColoursTogether) {
    CV7NamenDoc doc;
    doc.ResetToNew();
    Fill(doc);
    doc.InsertField(0);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetName(0), "");
    EXPECT_EQ(doc.colors[0], 0u);
    for (int i = 1; i < 16; ++i) {
        EXPECT_EQ(doc.GetName(i), "N" + std::to_string(i - 1));
        EXPECT_EQ(doc.colors[std::size_t(i)], COLORREF(0x100 + i - 1));
    }

    Fill(doc);
    doc.InsertField(15);
    EXPECT_EQ(doc.GetName(14), "N14");
    EXPECT_EQ(doc.GetName(15), "");
    EXPECT_EQ(doc.colors[15], 0u);

    Fill(doc);
    doc.RemoveField(0);
    for (int i = 0; i < 15; ++i) {
        EXPECT_EQ(doc.GetName(i), "N" + std::to_string(i + 1));
        EXPECT_EQ(doc.colors[std::size_t(i)], COLORREF(0x100 + i + 1));
    }
    EXPECT_EQ(doc.GetName(15), "");
    EXPECT_EQ(doc.colors[15], 0u);

    Fill(doc);
    doc.RemoveField(15);
    EXPECT_EQ(doc.GetName(15), "");
    EXPECT_EQ(doc.colors[15], 0u);
    EXPECT_EQ(doc.GetName(14), "N14");
    EXPECT_TRUE(doc.IsModified());

    Fill(doc);
    doc.InsertField(16);
    doc.InsertField(-1);
    doc.RemoveField(16);
    doc.RemoveField(-1);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetName(0), "N0");
}

TEST(V7NamenDoc, AnySequenceKeepsSixteenPairedFields) {
    CV7NamenDoc doc;
    doc.ResetToNew();
    Fill(doc);
    // Each name carries its colour as a number, so pairs can be checked.
    unsigned seed = 12345;
    for (int step = 0; step < 500; ++step) {
        seed = seed * 1103515245u + 12345u;
        const int index = int((seed >> 8) % 20) - 2;
        if ((seed >> 4) & 1)
            doc.InsertField(index);
        else
            doc.RemoveField(index);
        ASSERT_EQ(doc.names.size(), 16u);
        ASSERT_EQ(doc.colors.size(), 16u);
        for (int i = 0; i < 16; ++i) {
            const std::string& n = doc.GetName(i);
            const COLORREF c = doc.colors[std::size_t(i)];
            if (n.empty())
                EXPECT_EQ(c, 0u);
            else
                EXPECT_EQ(c, COLORREF(0x100 + std::stoi(n.substr(1))));
        }
    }
}
