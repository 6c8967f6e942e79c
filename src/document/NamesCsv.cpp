// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/NamesCsv.h"

#include "document/StripGeometry.h"
#include "platform/base/CodePage.h"
#include "platform/ui/FormatText.h"
#include "platform/ui/StringTable.h"
#include "resources/Resource.h"

#include <QStringDecoder>
#include <algorithm>
#include <cctype>
#include <cstdio>

namespace namescsv {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// A line ends at a line feed, and at a carriage return that no line feed
// follows: CR LF, LF and CR alone are each one line end. Every count of
// lines goes by this, so that a problem is named on the same line whatever
// line ends the file uses.
bool EndsLine(std::string_view text, std::size_t i) {
    return text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'));
}

// Tab, line feed and carriage return are the only control bytes of a text
// file; anything else (a NUL above all) means binary data. Answers the line
// of the first other one, or 0.
int BinaryLine(std::string_view text) {
    int line = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (EndsLine(text, i))
            ++line;
        else if (b < 0x20 && b != '\t' && b != '\r')
            return line;
    }
    return 0;
}

// A spreadsheet's "Unicode text" is UTF-16 behind a byte order mark; it is
// read as the same text in UTF-8. False for any other file.
bool FromUtf16(std::string_view bytes, std::string& utf8) {
    const bool little = bytes.substr(0, 2) == "\xFF\xFE";
    if (!little && bytes.substr(0, 2) != "\xFE\xFF")
        return false;
    QStringDecoder decoder(little ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                           QStringDecoder::Flag::Stateless);
    const QString text = decoder(QByteArrayView(bytes.data() + 2, qsizetype(bytes.size() - 2)));
    utf8 = text.toUtf8().toStdString();
    return true;
}

bool IsUtf8(std::string_view text) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder(QByteArrayView(text.data(), qsizetype(text.size())));
    return !decoder.hasError();
}

// The separator the first line uses most outside quotes; ';' when it has
// none (one column) or on a tie, then tab, then ','.
char DetectSeparator(std::string_view text) {
    int semicolons = 0, tabs = 0, commas = 0;
    bool quoted = false;
    for (char c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == '\n' || c == '\r')
            break;
        else if (c == ';')
            ++semicolons;
        else if (c == '\t')
            ++tabs;
        else if (c == ',')
            ++commas;
    }
    if (semicolons >= tabs && semicolons >= commas)
        return ';';
    return tabs >= commas ? '\t' : ',';
}

// Splits text into cells and rows: sink.Cell(cell) for each cell in
// order, sink.RowEnd(line) after each row with the line it starts on. False
// with the line of an unclosed quote. Nothing of a row is kept here, so a
// file of a million cells or rows costs no more memory than one of sixteen.
template <typename Sink>
bool Split(std::string_view text, char separator, Sink& sink, int& badLine) {
    std::string cell;
    int line = 1;
    int rowLine = 1;
    bool cellStart = true;
    bool rowStart = true;
    std::size_t i = 0;
    const auto endCell = [&] {
        sink.Cell(cell);
        cell.clear();
        cellStart = true;
        rowStart = false;
    };
    while (i < text.size()) {
        const char c = text[i];
        if (cellStart && c == '"') {
            const int quoteLine = line;
            for (++i;; ++i) {
                if (i >= text.size()) {
                    badLine = quoteLine;
                    return false;
                }
                if (text[i] == '"') {
                    if (i + 1 >= text.size() || text[i + 1] != '"')
                        break;
                    ++i; // a doubled quote stands for one
                } else if (EndsLine(text, i)) {
                    ++line;
                }
                cell += text[i];
            }
            ++i;
            cellStart = false;
            rowStart = false;
        } else if (c == separator) {
            endCell();
            ++i;
        } else if (c == '\r' || c == '\n') {
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            endCell();
            sink.RowEnd(rowLine);
            rowStart = true;
            rowLine = ++line;
        } else {
            // Text after a closing quote joins the cell, as spreadsheets read it.
            cell += c;
            cellStart = false;
            rowStart = false;
            ++i;
        }
    }
    if (!rowStart) {
        endCell();
        sink.RowEnd(rowLine);
    }
    return true;
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

bool IsHeading(std::string_view cell, std::string_view heading) {
    cell = Trimmed(cell);
    return std::equal(cell.begin(), cell.end(), heading.begin(), heading.end(),
                      [](char a, char b) { return (a | 0x20) == b; });
}

// What Read keeps of the rows Split hands over: the header's columns, the
// name and colour cells of the first 16 rows after it, and how many filled
// rows follow those.
class Rows {
public:
    struct Row {
        std::string name;
        std::string color;
        int line = 0;
        bool blank = true; // every cell empty or blanks only
        int otherCells = 0;
    };

    void Cell(const std::string& cell) {
        const bool keep = rows_.size() < std::size_t(kFieldCount);
        const bool empty = Trimmed(cell).empty();
        if (first_) {
            // A header until proved otherwise; a plain row's name is its first cell.
            if (nameHeading_ < 0 && IsHeading(cell, "name"))
                nameHeading_ = column_;
            if (colorHeading_ < 0 && IsHeading(cell, "farbe"))
                colorHeading_ = column_;
            headed_.push_back(!empty);
        }
        if (keep && column_ == nameColumn_)
            row_.name = cell;
        else if (keep && column_ == colorColumn_)
            row_.color = cell;
        else if (keep && !empty && !Headed(column_))
            ++row_.otherCells;
        row_.blank = row_.blank && empty;
        ++column_;
    }

    void RowEnd(int line) {
        row_.line = line;
        if (first_ && (nameHeading_ >= 0 || colorHeading_ >= 0)) {
            nameColumn_ = std::max(nameHeading_, 0);
            colorColumn_ = colorHeading_;
            header_ = true;
        } else if (rows_.size() < std::size_t(kFieldCount)) {
            otherCells_ += row_.otherCells;
            rows_.push_back(std::move(row_));
        } else if (!row_.blank) {
            ++leftOut_;
        }
        first_ = false;
        row_ = Row{};
        column_ = 0;
    }

    // The rows of names; empty rows a spreadsheet leaves at the end are no keys.
    std::vector<Row> Take() {
        if (leftOut_ == 0)
            while (!rows_.empty() && rows_.back().blank)
                rows_.pop_back();
        return std::move(rows_);
    }
    // Rows past the 16th that hold something.
    int LeftOut() const { return leftOut_; }
    // Filled cells of the rows taken that are neither name nor colour.
    int OtherCells() const { return otherCells_; }

private:
    // A column the header gives a heading of its own ("Taste" of an
    // export, say) is left out on purpose; any other is worth a word.
    bool Headed(int column) const {
        return header_ && std::size_t(column) < headed_.size() && headed_[std::size_t(column)];
    }

    std::vector<Row> rows_;
    Row row_;
    int column_ = 0;
    bool first_ = true;
    bool header_ = false;
    std::vector<bool> headed_;
    int otherCells_ = 0;
    int nameHeading_ = -1;
    int colorHeading_ = -1;
    int nameColumn_ = 0;
    int colorColumn_ = -1;
    int leftOut_ = 0;
};

bool ParseColor(std::string_view text, COLORREF& color) {
    text = Trimmed(text);
    if (text.empty()) {
        color = 0;
        return true;
    }
    unsigned value = 0;
    if (text.size() != 7 || text[0] != '#' ||
        !std::all_of(text.begin() + 1, text.end(),
                     [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }) ||
        std::sscanf(std::string(text.substr(1)).c_str(), "%x", &value) != 1)
        return false;
    color = RGB(BYTE(value >> 16), BYTE(value >> 8), BYTE(value));
    return true;
}

// A cell as a name: code page 1252, line breaks and tabs as blanks, cut
// where names from the apparatus are cut.
std::string NameOf(const std::string& cell, bool utf8) {
    std::string name;
    if (utf8) {
        QString text = QString::fromUtf8(cell.data(), qsizetype(cell.size()));
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        for (QChar& c : text)
            if (c.unicode() < 0x20 || c.unicode() == 0x7F)
                c = QLatin1Char(' ');
        name = codepage::UnicodeToCp1252(text);
    } else {
        for (std::size_t i = 0; i < cell.size(); ++i) {
            const auto b = static_cast<unsigned char>(cell[i]);
            if (b == '\r' && i + 1 < cell.size() && cell[i + 1] == '\n')
                continue;
            name += (b < 0x20 || b == 0x7F) ? ' ' : cell[i];
        }
    }
    if (name.size() > std::size_t(kMaxNameLength))
        name.resize(std::size_t(kMaxNameLength));
    return name;
}

Table Refused(Problem problem, int line = 0) {
    Table table;
    table.problem = problem;
    table.line = line;
    return table;
}

std::string CellText(const std::string& name) {
    std::string text = codepage::Cp1252ToUnicode(name).toUtf8().toStdString();
    // Quoted when a reader could split it or take its edges for padding.
    const bool quote = text.find_first_of(";\"\r\n\t,") != std::string::npos ||
                       (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quote)
        return text;
    std::string out = "\"";
    for (char c : text)
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + '"';
}

} // namespace

Table Read(std::string_view bytes) {
    if (bytes.size() > kMaxFileBytes)
        return Refused(Problem::TooLarge);
    std::string fromUtf16;
    if (FromUtf16(bytes, fromUtf16))
        bytes = fromUtf16;
    if (const int line = BinaryLine(bytes))
        return Refused(Problem::Binary, line);
    if (bytes.substr(0, kBom.size()) == kBom)
        bytes.remove_prefix(kBom.size());
    const bool utf8 = IsUtf8(bytes);

    Rows rows;
    int badLine = 0;
    const char separator = DetectSeparator(bytes);
    if (!Split(bytes, separator, rows, badLine))
        return Refused(Problem::UnclosedQuote, badLine);
    const std::vector<Rows::Row> taken = rows.Take();
    if (taken.empty())
        return Refused(Problem::NoRows);

    Table table;
    for (const Rows::Row& row : taken) {
        COLORREF color = 0;
        if (!ParseColor(row.color, color)) {
            Table refused = Refused(Problem::BadColor, row.line);
            const std::string bad(Trimmed(row.color));
            refused.cell = utf8 ? QString::fromUtf8(bad.data(), qsizetype(bad.size()))
                                : codepage::Cp1252ToUnicode(bad);
            return refused;
        }
        table.names.push_back(NameOf(row.name, utf8));
        table.colors.push_back(color);
        table.taken += table.names.back().empty() ? 0 : 1;
    }
    table.leftOut = rows.LeftOut();
    table.otherCells = rows.OtherCells();
    table.separator = separator;
    return table;
}

std::string Write(const std::vector<std::string>& names, const std::vector<COLORREF>& colors) {
    std::string out(kBom);
    out += "Taste;Name;Farbe\r\n";
    for (int i = 0; i < kFieldCount; ++i) {
        const auto at = std::size_t(i);
        const COLORREF color = at < colors.size() ? colors[at] : 0;
        char hex[8] = {};
        if (color != 0)
            std::snprintf(hex, sizeof hex, "#%02X%02X%02X", GetRValue(color), GetGValue(color),
                          GetBValue(color));
        out += std::to_string(i + 1) + ';' + CellText(at < names.size() ? names[at] : "") + ';' +
               hex + "\r\n";
    }
    return out;
}

QString ProblemText(const Table& table, const QString& path) {
    const int line = table.line;
    switch (table.problem) {
    case Problem::TooLarge:
        return FormatString(IDS_CSV_TOO_LARGE, {path});
    case Problem::Binary:
        return FormatString(IDS_CSV_BINARY, {path, line});
    case Problem::UnclosedQuote:
        return FormatString(IDS_CSV_UNCLOSED_QUOTE, {path, line});
    case Problem::BadColor:
        return FormatString(IDS_CSV_BAD_COLOR, {path, line, Quoted(table.cell)});
    case Problem::NoRows:
        return FormatString(IDS_CSV_NO_ROWS, {path});
    case Problem::None:
        break;
    }
    return QString();
}

namespace {

// "1 Name", "2 Namen": a count with the word in its number.
QString Count(int count, int one, int many) {
    return count == 1 ? LoadStr(one) : FormatString(many, {count});
}

QString SeparatorName(char separator) {
    return LoadStr(separator == '\t'  ? IDS_CSV_SEPARATOR_TAB
                   : separator == ',' ? IDS_CSV_SEPARATOR_COMMA
                                      : IDS_CSV_SEPARATOR_SEMICOLON);
}

QString OtherCellsCount(const Table& table) {
    return Count(table.otherCells, IDS_CSV_CELLS_ONE, IDS_CSV_CELLS);
}

} // namespace

QString ImportedText(const Table& table) {
    const QString names = Count(table.taken, IDS_CSV_NAMES_ONE, IDS_CSV_NAMES);
    const QString rows = Count(table.leftOut, IDS_CSV_ROWS_ONE, IDS_CSV_ROWS);
    if (table.otherCells == 0)
        return FormatString(IDS_CSV_IMPORTED, {names, rows});
    return FormatString(IDS_CSV_IMPORTED_OTHER_CELLS,
                        {names, rows, OtherCellsCount(table), SeparatorName(table.separator)});
}

QString OtherCellsWarning(const Table& table, const QString& path) {
    if (table.otherCells == 0)
        return QString();
    return FormatString(IDS_CSV_OTHER_CELLS_WARNING,
                        {path, OtherCellsCount(table), SeparatorName(table.separator)});
}

} // namespace namescsv
