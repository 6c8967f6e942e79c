// Key names from CSV files as spreadsheets and directories write them, and
// the files that are refused.

#include "document/NamesCsv.h"

#include <gtest/gtest.h>

using namescsv::Problem;

TEST(NamesCsv, ReadsTheDialectsSpreadsheetsWrite) {
    const struct {
        const char* what;
        std::string bytes;
        std::vector<std::string> names; // code page 1252
        std::vector<COLORREF> colors;   // empty: all none
        int leftOut;
    } cases[] = {
        {"semicolon, UTF-8, first column",
         "Zentrale;100\nM\xC3\xBCller;101\n",
         {"Zentrale", "M\xFCller"},
         {},
         0},
        {"comma, quotes with separators and doubled quotes",
         "\"Meier, Hans\",1\r\n\"Sag \"\"Hallo\"\"\",2\r\n",
         {"Meier, Hans", "Sag \"Hallo\""},
         {},
         0},
        {"tab, a line break inside quotes",
         "a\tb\n\"Zeile 1\r\nZeile 2\"\tc\n",
         {"a", "Zeile 1 Zeile 2"},
         {},
         0},
        {"BOM, Name in the middle, Farbe",
         "\xEF\xBB\xBFTaste;Name;Farbe\r\n1;Anna;#FF8000\r\n"
         "2;Bernd;\r\n3;\xE2\x82\xAC \xCE\xA9;#00ff00\r\n",
         {"Anna", "Bernd", "\x80 ?"},
         {0x0080FF, 0, 0x00FF00},
         0},
        {"Windows-1252 when not UTF-8, blank rows kept in the middle",
         "M\xFCller\n\n\x80uro\n\n",
         {"M\xFCller", "", "\x80uro"},
         {},
         0},
        {"header with Farbe only: names from the first column",
         "Wer,Farbe\nOtto,#0000FF\n",
         {"Otto"},
         {0xFF0000},
         0},
        {"cut like names from the apparatus", std::string(120, 'x'), {std::string(98, 'x')}, {}, 0},
        {"rows past the 16th left out, empty ones not counted",
         "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n13\n14\n15\n16\n17\n\n18\n",
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16"},
         {},
         2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const namescsv::Table t = namescsv::Read(c.bytes);
        ASSERT_EQ(t.problem, Problem::None);
        EXPECT_EQ(t.names, c.names);
        EXPECT_EQ(t.colors, c.colors.empty() ? std::vector<COLORREF>(c.names.size(), 0) : c.colors);
        EXPECT_EQ(t.leftOut, c.leftOut);
        EXPECT_EQ(t.taken, int(std::count_if(c.names.begin(), c.names.end(),
                                             [](const std::string& n) { return !n.empty(); })));
    }
}

TEST(NamesCsv, RefusesMalformedFilesNamingTheLine) {
    const struct {
        std::string bytes;
        Problem problem;
        int line;
    } cases[] = {
        {"a;b\n\"offen;c\nd\n", Problem::UnclosedQuote, 2},
        {std::string("a\nb\0c\n", 6), Problem::Binary, 2},
        // CR alone, CR LF and LF each end one line, inside quotes too.
        {"a\rb\r\nc\x01\r", Problem::Binary, 3},
        {"Name;Farbe\r\"x\ry\r\nz\";\rB;rot\r", Problem::BadColor, 5},
        {std::string(namescsv::kMaxFileBytes + 1, 'a'), Problem::TooLarge, 0},
        {"Name;Farbe\nA;#FF0000\nB;rot\n", Problem::BadColor, 3},
        {"Name;Farbe\r\n", Problem::NoRows, 0},
        {"", Problem::NoRows, 0},
    };
    for (const auto& c : cases) {
        const namescsv::Table t = namescsv::Read(c.bytes);
        EXPECT_EQ(t.problem, c.problem) << c.bytes.substr(0, 30);
        EXPECT_EQ(t.line, c.line) << c.bytes.substr(0, 30);
    }
}
