// SPDX-License-Identifier: GPL-3.0-or-later
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

TEST(NamesCsv, SaysWhatItLeftOutAndReadsUtf16) {
    // A headerless list of "Nachname, Vorname" is split at the comma: the
    // first names are left out, and the message says so.
    const namescsv::Table split = namescsv::Read("M\xC3\xBCller, Hans\nMeier, Eva\nSchulz\n");
    ASSERT_EQ(split.problem, Problem::None);
    EXPECT_EQ(split.names, (std::vector<std::string>{"M\xFCller", "Meier", "Schulz"}));
    EXPECT_EQ(split.otherCells, 2);
    EXPECT_EQ(namescsv::ImportedText(split),
              QString("3 Namen übernommen, 0 Zeilen und 2 Zellen anderer Spalten (Trennzeichen "
                      "Komma) ausgelassen."));
    EXPECT_EQ(namescsv::OtherCellsWarning(split, "/tmp/n.csv"),
              QString("Warnung: /tmp/n.csv: 2 Zellen anderer Spalten (Trennzeichen Komma) "
                      "ausgelassen; eine Überschrift \"Name\" wählt die Spalte der Namen."));

    // Columns with a heading of their own (an export's "Taste") are left out
    // on purpose; a cell beyond the header, or in a row past the 16th, is not
    // counted twice. Counts of one take the singular.
    std::string rows = "Taste;Name;;Farbe\n1;Anna;x;\n2;;;\n";
    for (int i = 3; i <= 17; ++i)
        rows += std::to_string(i) + ";N;;;extra\n";
    const namescsv::Table headed = namescsv::Read(rows);
    ASSERT_EQ(headed.problem, Problem::None);
    EXPECT_EQ(headed.otherCells, 15); // "x" of row 1, "extra" of rows 3 to 16
    EXPECT_EQ(headed.leftOut, 1);
    const namescsv::Table one = namescsv::Read("Name\nAnna\n\n");
    EXPECT_EQ(namescsv::ImportedText(one), QString("1 Name übernommen, 0 Zeilen ausgelassen."));
    EXPECT_TRUE(namescsv::OtherCellsWarning(one, "n.csv").isEmpty());
    std::string seventeen;
    for (int i = 1; i <= 17; ++i)
        seventeen += "N\tx\n";
    EXPECT_EQ(namescsv::ImportedText(namescsv::Read(seventeen)),
              QString("16 Namen übernommen, 1 Zeile und 16 Zellen anderer Spalten (Trennzeichen "
                      "Tabulator) ausgelassen."));

    // "Unicode text": UTF-16 behind a byte order mark, either byte order.
    const QString text =
        QString::fromUtf8("Name\tFarbe\r\nPf\xC3\xB6rtner \xE2\x82\xAC\t#00FF00\r\n"
                          "\xC5\x81\xC3\xB3\x64\xC5\xBA\t\r\n");
    for (const bool little : {true, false}) {
        std::string bytes = little ? "\xFF\xFE" : "\xFE\xFF";
        for (const QChar c : text) {
            const char low = char(c.unicode() & 0xFF), high = char(c.unicode() >> 8);
            bytes += little ? std::string{low, high} : std::string{high, low};
        }
        const namescsv::Table t = namescsv::Read(bytes);
        ASSERT_EQ(t.problem, Problem::None) << little;
        EXPECT_EQ(t.names, (std::vector<std::string>{"Pf\xF6rtner \x80", "?\xF3"
                                                                         "d?"}));
        EXPECT_EQ(t.colors, (std::vector<COLORREF>{0x00FF00, 0}));
    }
    EXPECT_EQ(namescsv::Read("\xFF\xFE").problem, Problem::NoRows);
}
