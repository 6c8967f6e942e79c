// SPDX-License-Identifier: GPL-3.0-or-later
// The label font: its 60-byte description, kept byte for byte through a
// file, cut and scaled as the printer needs it, and realised as a Qt font.

#include "document/LabelFont.h"
#include "platform/draw/LogFont.h"
#include "platform/files/Archive.h"

#include <QFontMetrics>
#include <cstring>
#include <gtest/gtest.h>

namespace {
LOGFONTA Description(const FontObject& f) {
    LOGFONTA lf;
    std::memset(&lf, 0xAA, sizeof lf);
    EXPECT_EQ(f.GetObject(&lf), 60);
    return lf;
}
} // namespace

TEST(LabelFont, StoreWritesTheDescriptionByteForByte) {
    CLabelFont font;
    ASSERT_TRUE(font.Create("Arial", 17, 0, 0));
    MemoryByteStream out;
    Archive ar(out, Archive::Mode::Store);
    font.Store(ar);
    ar.Close();
    std::vector<std::uint8_t> expected(60, 0);
    expected[0] = 0x11;
    std::memcpy(expected.data() + 28, "Arial", 5);
    EXPECT_EQ(out.Bytes(), expected);

    // Without a font the description is all zeros.
    CLabelFont none;
    MemoryByteStream empty;
    Archive ar2(empty, Archive::Mode::Store);
    none.Store(ar2);
    ar2.Close();
    EXPECT_EQ(empty.Bytes(), std::vector<std::uint8_t>(60, 0));
}

TEST(LabelFont, CreateCutsTheFaceAndLoadNeedsSixtyBytes) {
    CLabelFont font;
    const std::string face40(40, 'F');
    font.Create(face40, -20, 700, 1);
    LOGFONTA lf = Description(font);
    EXPECT_EQ(std::string(lf.lfFaceName), std::string(31, 'F'));
    EXPECT_EQ(lf.lfWeight, 700);
    EXPECT_EQ(lf.lfItalic, 1);

    // Any 60 bytes come back exactly as they were, unchecked.
    std::vector<std::uint8_t> bytes(60);
    for (int i = 0; i < 60; ++i)
        bytes[std::size_t(i)] = std::uint8_t(i * 7 + 3);
    MemoryByteStream in(bytes);
    Archive ar(in, Archive::Mode::Load);
    ASSERT_TRUE(font.Load(ar));
    lf = Description(font);
    EXPECT_EQ(std::memcmp(&lf, bytes.data(), 60), 0);
    // The face name holds no terminator: it is read as 31 characters.
    EXPECT_EQ(logfont::FaceName(lf).size(), 31);

    MemoryByteStream shortIn(std::vector<std::uint8_t>(59, 1));
    Archive ar2(shortIn, Archive::Mode::Load);
    EXPECT_FALSE(font.Load(ar2));
    EXPECT_EQ(std::memcmp(&lf, bytes.data(), 60), 0) << "font unchanged";
    LOGFONTA after = Description(font);
    EXPECT_EQ(std::memcmp(&after, bytes.data(), 60), 0);
}

TEST(LabelFont, ScaleForPrinterScalesHeightAndWidth) {
    CLabelFont screen;
    screen.Create("Arial", 17, 0, 0);
    CLabelFont printer;
    ASSERT_TRUE(printer.ScaleForPrinter(600, 600, screen, 96, 96));
    LOGFONTA lf = Description(printer);
    EXPECT_EQ(lf.lfHeight, 106);
    EXPECT_EQ(lf.lfWidth, 0);
    EXPECT_STREQ(lf.lfFaceName, "Arial");
    CLabelFont empty;
    EXPECT_FALSE(printer.ScaleForPrinter(600, 600, empty, 96, 96));
    EXPECT_EQ(Description(printer).lfHeight, 106) << "unchanged after a failed query";
}

TEST(LabelFont, HeightsMeanCellOrCharacterHeightAndExtremesAreClamped) {
    LOGFONTA lf{};
    logfont::SetFaceName(lf, "Arial");
    lf.lfHeight = 17; // cell height
    QFontMetrics cell(logfont::ToQFont(lf));
    EXPECT_NEAR(cell.ascent() + cell.descent(), 17, 1);
    lf.lfHeight = -15; // character height
    EXPECT_EQ(logfont::ToQFont(lf).pixelSize(), 15);
    lf.lfHeight = 17;
    lf.lfWeight = 700;
    lf.lfItalic = 1;
    lf.lfUnderline = 1;
    lf.lfStrikeOut = 1;
    const QFont styled = logfont::ToQFont(lf);
    EXPECT_EQ(styled.weight(), QFont::Bold);
    EXPECT_TRUE(styled.italic());
    EXPECT_TRUE(styled.underline());
    EXPECT_TRUE(styled.strikeOut());
    lf.lfHeight = 0x7FFFFFFF;
    EXPECT_EQ(logfont::ToQFont(lf).pixelSize(), logfont::kMaxPixelSize);
    lf.lfHeight = -0x7FFFFFFF - 1;
    EXPECT_EQ(logfont::ToQFont(lf).pixelSize(), logfont::kMaxPixelSize);
    lf.lfHeight = 0;
    EXPECT_EQ(logfont::ToQFont(lf).pixelSize(), logfont::kDefaultPixelSize);

    // A chosen Qt font becomes a negative character height at the screen's resolution.
    QFont chosen("Liberation Serif");
    chosen.setPointSize(12);
    chosen.setBold(true);
    const LOGFONTA back = logfont::FromQFont(chosen, 96);
    EXPECT_EQ(back.lfHeight, -16);
    EXPECT_EQ(back.lfWeight, 700);
    EXPECT_STREQ(back.lfFaceName, "Liberation Serif");
}
