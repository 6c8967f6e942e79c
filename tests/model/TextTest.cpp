// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/NamesCsv.h"
#include "paint/NameFit.h"
#include "platform/base/CodePage.h"
#include "platform/framework/RecentFileList.h"
#include "platform/ui/FormatText.h"

#include <gtest/gtest.h>
#include <iconv.h>
#include <string>

TEST(FormatText, FillsNumberedPlaceholdersInOnePass) {
    EXPECT_EQ(FormatText("Fehler Nr. %1 beim Öffnen von COM%2", {13u, 2}),
              QString::fromUtf8("Fehler Nr. 13 beim Öffnen von COM2"));
    EXPECT_EQ(FormatText("%1", {unsigned(-1)}), QString("4294967295"));
    EXPECT_EQ(FormatText("%3 -aG %3 %2 (%1)", {"a", "b", "c"}), QString("c -aG c b (a)"));
    // What an argument brings is not filled again; a missing argument stays.
    EXPECT_EQ(FormatText("%1 %2 %3", {"%2", "x"}), QString("%2 x %3"));
}

TEST(FormatText, MessagesQuoteAFewDozenCharactersWhateverAFileHolds) {
    // A colour cell of a megabyte, and one of 15,000 lines: each gave a box
    // far taller than the screen that took seconds to lay out.
    std::string lines;
    for (int i = 0; i < 15000; ++i)
        lines += "Zeile " + std::to_string(i % 10) + "\n";
    const std::string tail =
        "...\" ist keine Farbe der Form #RRGGBB. Es wurde nichts ge\xC3\xA4ndert.";
    const struct {
        std::string cell;
        std::string quoted;
    } cells[] = {
        {std::string(1000000, 'x'), std::string(kQuotedChars, 'x')},
        {lines, "Zeile 0 Zeile 1 Zeile 2 Zeile 3 Zeile 4 "},
    };
    for (const auto& c : cells) {
        const namescsv::Table table = namescsv::Read("Name;Farbe\nA;\"" + c.cell + "\"\n");
        EXPECT_EQ(namescsv::ProblemText(table, "/tmp/namen.csv"),
                  QString::fromUtf8("/tmp/namen.csv, Zeile 2: \"" + c.quoted + tail));
    }

    // Sixteen names of the 512 characters drawn, too long for their field.
    std::vector<UnfitName> unfit;
    for (int i = 0; i < 16; ++i)
        unfit.push_back({i, QString(512, QChar('a' + i)), 50});
    const QString list = namefit::ListText(unfit);
    EXPECT_LT(list.size(), 16 * (kQuotedChars + 5) + 40);
    EXPECT_TRUE(list.contains(QString(kQuotedChars, 'a') + "..., "));

    // A character outside the basic plane is never cut in half.
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    const QString fits = QString(kQuotedChars - 2, 'a') + emoji;
    EXPECT_EQ(Quoted(fits).toStdString(), fits.toStdString());
    EXPECT_EQ(Quoted(QString(kQuotedChars - 1, 'a') + emoji).toStdString(),
              (QString(kQuotedChars - 1, 'a') + "...").toStdString());
}

namespace {

// One character through the C library's conversion, the oracle for the code
// page tables; -1 where the code page has no counterpart.
template <typename To, typename From>
int System(const char* to, const char* from, From c) {
    To out{};
    char* in = reinterpret_cast<char*>(&c);
    char* o = reinterpret_cast<char*>(&out);
    std::size_t inLeft = sizeof c, outLeft = sizeof out;
    const iconv_t cd = iconv_open(to, from);
    if (cd == iconv_t(-1))
        return -1;
    const bool ok = iconv(cd, &in, &inLeft, &o, &outLeft) == 0 && !outLeft;
    iconv_close(cd);
    return ok ? int(out) : -1;
}

} // namespace

TEST(CodePage, TablesAgreeWithTheSystemConversionsBothWays) {
    ASSERT_EQ(System<wchar_t>("WCHAR_T", "CP850", '\x84'), 0xE4) << "no system conversion";
    // The five bytes 1252 leaves unassigned stand for the C1 controls of the
    // same number, both ways, so that every byte survives the way through Unicode.
    const auto unassigned = [](int c) {
        return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
    };
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, char(b));
        const int u1252 = System<wchar_t>("WCHAR_T", "CP1252", char(b));
        EXPECT_EQ(u1252 < 0, unassigned(b)) << b;
        EXPECT_EQ(codepage::Cp1252ToUnicode(one).at(0).unicode(), u1252 < 0 ? b : u1252) << b;
        const int u850 = System<wchar_t>("WCHAR_T", "CP850", char(b));
        EXPECT_EQ(codepage::Cp850ToUnicode(static_cast<unsigned char>(b)), u850) << b;
        // From the apparatus to the strip: both tables' way where 1252 has the character.
        const int ansi = System<unsigned char>("CP1252", "WCHAR_T", wchar_t(u850));
        EXPECT_TRUE(ansi < 0 || codepage::OemToAnsi(one) == std::string(1, char(ansi))) << b;
    }
    for (int c = 0; c < 0x10000; ++c) {
        const auto mine = codepage::UnicodeToCp1252(char32_t(c));
        const int b1252 = System<unsigned char>("CP1252", "WCHAR_T", wchar_t(c));
        EXPECT_EQ(mine ? int(*mine) : -1, unassigned(c) ? c : b1252) << c;
        const int b850 = System<unsigned char>("CP850", "WCHAR_T", wchar_t(c));
        EXPECT_EQ(codepage::UnicodeToCp850(QString(QChar(char16_t(c)))),
                  std::string(1, b850 < 0 ? '?' : char(b850)))
            << c;
    }

    // Texts: a surrogate pair is one character, one '?' where 1252 lacks it.
    EXPECT_TRUE(codepage::Cp1252CanHold(QString::fromUtf8("Grüße €")));
    EXPECT_FALSE(codepage::Cp1252CanHold(QString::fromUtf8("😀")));
    EXPECT_EQ(codepage::Utf16ToCp1252(u"A\u0141\U0001F600B"), "A??B");
    // Box drawing, which 1252 lacks, arrives as look-alikes.
    EXPECT_EQ(codepage::OemToAnsi("\xC4\xB3\xC5 AB"), "-|+ AB");
}

TEST(RecentFileList, AbbreviatesToThirtyCharacters) {
    EXPECT_EQ(RecentFileList::AbbreviatePath("/home/a/x.V7N", 30), QString("/home/a/x.V7N"));
    const QString longPath = "/home/benutzer/Dokumente/Telefon/Streifen/buero.V7N";
    const QString shortened = RecentFileList::AbbreviatePath(longPath, 30);
    EXPECT_LE(shortened.size(), 30);
    EXPECT_TRUE(shortened.startsWith("/home/...")) << shortened.toStdString();
    EXPECT_TRUE(shortened.endsWith("/buero.V7N"));
    const QString longName = "/a/b/" + QString(40, 'n') + ".V7N";
    EXPECT_EQ(RecentFileList::AbbreviatePath(longName, 30), QString(40, 'n') + ".V7N");
}
