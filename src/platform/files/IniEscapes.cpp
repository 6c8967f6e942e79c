// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/IniEscapes.h"

#include <algorithm>

namespace ini {
namespace {

const char kHexDigits[] = "0123456789ABCDEF";

// The escapes by letter, as QSettings writes them (the last two it only
// reads): "\\t" is a tab.
constexpr char kEscapes[][2] = {{'a', '\a'},  {'b', '\b'}, {'f', '\f'}, {'n', '\n'},
                                {'r', '\r'},  {'t', '\t'}, {'v', '\v'}, {'"', '"'},
                                {'\\', '\\'}, {'?', '?'},  {'\'', '\''}};
constexpr std::size_t kWrittenEscapes = 9;

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The text of a value with its quotes and escapes resolved; a comma
// outside quotes makes it a list (`list` true).
QString UnescapedText(const QByteArray& raw, bool& list) {
    list = false;
    QString text;
    QByteArray plain; // UTF-8 bytes not yet decoded
    const auto flush = [&] {
        text += QString::fromUtf8(plain);
        plain.clear();
    };
    bool inQuotes = false;
    bool quoted = false;
    qsizetype chopLimit = 0;
    const auto chopTrailingSpaces = [&] {
        flush();
        qsizetype n = text.size();
        while (n > chopLimit &&
               (text.at(n - 1) == QLatin1Char(' ') || text.at(n - 1) == QLatin1Char('\t')))
            --n;
        text.truncate(n);
    };
    const qsizetype size = raw.size();
    qsizetype i = 0;
    const auto skipSpaces = [&] {
        while (i < size && (raw.at(i) == ' ' || raw.at(i) == '\t'))
            ++i;
    };
    skipSpaces();
    while (i < size) {
        const char ch = raw.at(i);
        if (ch == '\\') {
            ++i;
            if (i >= size)
                break;
            const char code = raw.at(i++);
            const auto named = std::find_if(std::begin(kEscapes), std::end(kEscapes),
                                            [code](const char* e) { return e[0] == code; });
            flush();
            if (named != std::end(kEscapes)) {
                text += QLatin1Char((*named)[1]);
            } else if ((code == 'x' && i < size && HexValue(raw.at(i)) >= 0) ||
                       (code >= '0' && code <= '7')) {
                const int base = code == 'x' ? 16 : 8;
                unsigned value = code == 'x' ? 0 : unsigned(code - '0');
                int digit;
                while (i < size && (digit = HexValue(raw.at(i))) >= 0 && digit < base) {
                    value = (value * unsigned(base) + unsigned(digit)) & 0xFFFF;
                    ++i;
                }
                text += QChar(char16_t(value));
            } else if ((code == '\n' || code == '\r') && i < size) {
                // A continued line.
                const char next = raw.at(i);
                if ((next == '\n' || next == '\r') && next != code)
                    ++i;
            }
            // What an escape gave is never cut as a trailing blank.
            chopLimit = text.size();
        } else if (ch == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) {
                skipSpaces();
                flush();
                chopLimit = text.size();
            }
        } else if (ch == ',' && !inQuotes) {
            list = true;
            if (!quoted)
                chopTrailingSpaces();
            flush();
            text.clear();
            chopLimit = 0;
            quoted = false;
            ++i;
            skipSpaces();
        } else {
            plain += ch;
            ++i;
        }
    }
    if (!quoted)
        chopTrailingSpaces();
    flush();
    return text;
}

} // namespace

QByteArray EscapedKey(const QString& key) {
    QByteArray out;
    for (const QChar qc : key) {
        const char16_t ch = qc.unicode();
        if (ch == '/') {
            out += '\\';
        } else if ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') ||
                   (ch >= '0' && ch <= '9') || ch == '_' || ch == '-' || ch == '.') {
            out += char(ch);
        } else if (ch <= 0xFF) {
            out += '%';
            out += kHexDigits[ch / 16];
            out += kHexDigits[ch % 16];
        } else {
            out += "%U";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += kHexDigits[(ch >> shift) & 0xF];
        }
    }
    return out;
}

QString UnescapedKey(const QByteArray& key) {
    const QString decoded = QString::fromUtf8(key);
    const qsizetype size = decoded.size();
    QString out;
    for (qsizetype i = 0; i < size;) {
        const QChar ch = decoded.at(i);
        if (ch == QLatin1Char('\\')) {
            out += QLatin1Char('/');
            ++i;
            continue;
        }
        if (ch != QLatin1Char('%') || i == size - 1) {
            out += ch;
            ++i;
            continue;
        }
        const bool wide = decoded.at(i + 1) == QLatin1Char('U');
        const qsizetype first = i + (wide ? 2 : 1);
        const qsizetype digits = wide ? 4 : 2;
        bool ok = first + digits <= size;
        const ushort code = ok ? decoded.mid(first, digits).toUShort(&ok, 16) : 0;
        if (!ok) {
            out += QLatin1Char('%');
            ++i;
            continue;
        }
        out += QChar(code);
        i = first + digits;
    }
    return out;
}

QByteArray EscapedValue(const QString& text) {
    QString value = text;
    if (value.startsWith(QLatin1Char('@')))
        value.prepend(QLatin1Char('@'));
    QByteArray out;
    QString run; // characters that go as UTF-8, kept together for surrogate pairs
    const auto flush = [&] {
        out += run.toUtf8();
        run.clear();
    };
    bool needsQuotes = false;
    bool escapeNextIfDigit = false;
    for (const QChar qc : value) {
        const char16_t ch = qc.unicode();
        if (ch == ';' || ch == ',' || ch == '=')
            needsQuotes = true;
        const bool hexDigit = ch < 0x80 && HexValue(char(ch)) >= 0;
        if (escapeNextIfDigit && hexDigit) {
            // Else the digit would be read as part of the escape before it.
            out += "\\x" + QByteArray::number(ch, 16);
            continue;
        }
        escapeNextIfDigit = false;
        const auto* named =
            std::find_if(std::begin(kEscapes), std::begin(kEscapes) + kWrittenEscapes,
                         [ch](const char* e) { return char16_t(e[1]) == ch; });
        if (named != std::begin(kEscapes) + kWrittenEscapes) {
            flush();
            out += '\\';
            out += (*named)[0];
        } else if (ch == 0) {
            flush();
            out += "\\0";
            escapeNextIfDigit = true;
        } else if (ch <= 0x1F) {
            flush();
            out += "\\x" + QByteArray::number(ch, 16);
            escapeNextIfDigit = true;
        } else {
            run += qc;
        }
    }
    flush();
    if (needsQuotes || out.startsWith(' ') || out.endsWith(' '))
        out = '"' + out + '"';
    return out;
}

std::optional<QString> UnescapedValue(const QByteArray& raw) {
    bool list = false;
    QString text = UnescapedText(raw, list);
    if (list)
        return std::nullopt;
    if (!text.startsWith(QLatin1Char('@')))
        return text;
    if (text.startsWith(QLatin1String("@@")))
        return text.mid(1);
    if (text.endsWith(QLatin1Char(')'))) {
        if (text.startsWith(QLatin1String("@String(")))
            return text.mid(8).chopped(1);
        if (text.startsWith(QLatin1String("@ByteArray(")))
            return QString::fromUtf8(text.mid(11).chopped(1).toLatin1());
        // Values of other types hold no text.
        for (const char* other :
             {"@Invalid()", "@Variant(", "@DateTime(", "@Rect(", "@Size(", "@Point("}) {
            if (text.startsWith(QLatin1String(other)))
                return std::nullopt;
        }
    }
    return text;
}

} // namespace ini
