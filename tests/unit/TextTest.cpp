#include "app/CommandLine.h"
#include "platform/base/CodePage.h"
#include "platform/framework/RecentFileList.h"
#include "platform/ui/Printf.h"

#include <gtest/gtest.h>

TEST(Printf, FormatsMessageConversions) {
    EXPECT_EQ(FormatPrintf("Fehler Nr. %u beim Öffnen von COM%u", {13, 2}),
              QString::fromUtf8("Fehler Nr. 13 beim Öffnen von COM2"));
    EXPECT_EQ(FormatPrintf("%u", {-1}), QString("4294967295"));
    EXPECT_EQ(FormatPrintf("%i Namen", {-5}), QString("-5 Namen"));
    EXPECT_EQ(FormatPrintf("100%% %s", {"ok"}), QString("100% ok"));
    // A conversion without its argument stays as written.
    EXPECT_EQ(FormatPrintf("COM%u", {}), QString("COM%u"));
}

TEST(CodePage, ConvertsBetweenUnicode1252And850) {
    const std::string ansi = "\xC4\xD6\xDC\xE4\xF6\xFC\xDF\x80";
    EXPECT_EQ(codepage::Cp1252ToUnicode(ansi), QString::fromUtf8("ÄÖÜäöüß€"));
    EXPECT_EQ(codepage::UnicodeToCp1252(QString::fromUtf8("ÄÖÜäöüß€")), ansi);
    EXPECT_TRUE(codepage::Cp1252CanHold(QString::fromUtf8("Grüße €")));
    EXPECT_FALSE(codepage::Cp1252CanHold(QString::fromUtf8("Łódź")));
    EXPECT_FALSE(codepage::Cp1252CanHold(QString::fromUtf8("😀")));
    // Every byte survives the round trip through Unicode.
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, char(b));
        EXPECT_EQ(codepage::UnicodeToCp1252(codepage::Cp1252ToUnicode(one)), one) << b;
    }
    // What 1252 cannot hold becomes '?', a surrogate pair one '?'.
    EXPECT_EQ(codepage::Utf16ToCp1252(u"A\u0141\U0001F600B"), "A??B");
    // Code page 850 umlauts arrive as 1252 umlauts; box drawing as look-alikes.
    EXPECT_EQ(codepage::OemToAnsi("\x84\x94\x81\xE1\x8E\x99\x9A"), "\xE4\xF6\xFC\xDF\xC4\xD6\xDC");
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

TEST(CommandLine, TellsSwitchesFromAbsolutePaths) {
    using A = CommandLineInfo::Action;
    EXPECT_EQ(ParseCommandLine({}).action, A::New);
    auto open = ParseCommandLine({"/home/u/p.V7N"});
    EXPECT_EQ(open.action, A::Open);
    EXPECT_EQ(open.file, QString("/home/u/p.V7N"));
    auto print = ParseCommandLine({"/P", "/home/u/p.V7N"});
    EXPECT_EQ(print.action, A::Print);
    EXPECT_EQ(print.file, QString("/home/u/p.V7N"));
    auto printTo = ParseCommandLine({"/pt", "a.V7N", "Büro Laser", "drv", "lpt"});
    EXPECT_EQ(printTo.action, A::PrintTo);
    EXPECT_EQ(printTo.printer, QString::fromUtf8("Büro Laser"));
    EXPECT_EQ(printTo.port, QString("lpt"));
    auto pdf = ParseCommandLine({"--print-to-pdf", "out.pdf"});
    EXPECT_EQ(pdf.action, A::PrintToPdf);
    EXPECT_EQ(pdf.pdfOut, QString("out.pdf"));
    EXPECT_TRUE(pdf.file.isEmpty());
    EXPECT_EQ(ParseCommandLine({"--", "-odd.V7N"}).file, QString("-odd.V7N"));
    EXPECT_EQ(ParseCommandLine({"--help"}).action, A::Help);
    EXPECT_EQ(ParseCommandLine({"--version"}).action, A::Version);
    EXPECT_EQ(ParseCommandLine({"--bogus"}).action, A::Error);
    EXPECT_EQ(ParseCommandLine({"/pt", "a.V7N"}).action, A::Error);
    EXPECT_EQ(ParseCommandLine({"--print-to-pdf"}).action, A::Error);
    EXPECT_EQ(ParseCommandLine({"a.V7N", "b.V7N"}).action, A::Error);
}
