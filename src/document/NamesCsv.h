// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 16 key names (and field colours) to and from CSV files, as
// spreadsheets and telephone directory exports write them.
//
// Reading takes UTF-8 (with or without byte order mark), UTF-16 with a
// byte order mark, or Windows-1252 when the bytes are not valid UTF-8; the
// separator (';', ',' or tab) is the one the first line uses most outside
// quotes; a cell in double quotes may hold separators, line breaks and
// doubled quotes. A header row is a first row with a cell "Name" or
// "Farbe": the names then come from the column "Name" (else the first), the
// colours "#RRGGBB" from the column "Farbe". Rows give fields 0 to 15 in
// order.
//
// Writing gives UTF-8 with byte order mark, ';', the header "Taste;Name;Farbe"
// and one row per key, which reading takes back unchanged.

#include "platform/base/WinTypes.h"

#include <QString>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace namescsv {

// Far more than 16 names ever need; a larger file is not a list of names.
constexpr std::size_t kMaxFileBytes = std::size_t(1) << 20;

enum class Problem { None, TooLarge, Binary, UnclosedQuote, BadColor, NoRows };

struct Table {
    Problem problem = Problem::None;
    int line = 0; // the line of the problem, counted from 1
    QString cell; // BadColor: the text that is no colour
    // One entry per row taken (at most 16): code page 1252, cut like names
    // from the apparatus; colour 0 is no own colour.
    std::vector<std::string> names;
    std::vector<COLORREF> colors;
    int taken = 0;   // names among them that are not empty
    int leftOut = 0; // rows past the 16th that hold something
    // Cells of the rows taken that hold something but are neither a name
    // nor a colour, in a column without a heading of its own: in a file
    // without a header, whatever follows the first separator of a row.
    int otherCells = 0;
    char separator = ';';
};

// Reads a whole file's bytes; on a problem the names must not be used.
Table Read(std::string_view bytes);

// The file for the names and colours of fields 0 to 15.
std::string Write(const std::vector<std::string>& names, const std::vector<COLORREF>& colors);

// The German message refusing the file at path for table's problem.
QString ProblemText(const Table& table, const QString& path);

// What an import of table took and left out, for the status bar.
QString ImportedText(const Table& table);

// The warning that cells of other columns were left out, naming path;
// empty when there were none.
QString OtherCellsWarning(const Table& table, const QString& path);

} // namespace namescsv
