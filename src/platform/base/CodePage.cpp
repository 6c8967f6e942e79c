// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/base/CodePage.h"

#include <array>

namespace codepage {
namespace {

// 0x80..0x9F of code page 1252; the five unassigned bytes map to the C1
// control with the same number, as the system conversion does.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr std::array<char16_t, 128> kCp850High = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF,
    0x00EE, 0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA,
    0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0, 0x00A9, 0x2563, 0x2551, 0x2557,
    0x255D, 0x00A2, 0x00A5, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4, 0x00F0, 0x00D0, 0x00CA, 0x00CB,
    0x00C8, 0x0131, 0x00CD, 0x00CE, 0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580,
    0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE, 0x00DE, 0x00DA, 0x00DB, 0x00D9,
    0x00FD, 0x00DD, 0x00AF, 0x00B4, 0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8,
    0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0};

// Closest 1252 character for the OEM graphics that 1252 lacks.
char BestFit(char16_t cp) {
    switch (cp) {
    case 0x2500:
        return '-';
    case 0x2502:
    case 0x2551:
        return '|';
    case 0x2550:
    case 0x2017:
        return '=';
    case 0x0131:
        return 'i';
    default:
        break;
    }
    if (cp >= 0x250C && cp <= 0x256C)
        return '+';
    return '?';
}

} // namespace

char16_t Cp1252ToUnicode(unsigned char c) {
    if (c >= 0x80 && c <= 0x9F)
        return kCp1252High[c - 0x80];
    return char16_t(c);
}

QString Cp1252ToUnicode(std::string_view text) {
    QString out;
    out.reserve(qsizetype(text.size()));
    for (char c : text)
        out.append(QChar(Cp1252ToUnicode(static_cast<unsigned char>(c))));
    return out;
}

std::optional<unsigned char> UnicodeToCp1252(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<unsigned char>(cp);
    for (int i = 0; i < 32; ++i) {
        if (kCp1252High[std::size_t(i)] == cp)
            return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

namespace {
template <typename Fn>
void ForEachCodePoint(std::u16string_view units, Fn fn) {
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t u = units[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            fn(char32_t(0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00)));
            ++i;
        } else {
            fn(char32_t(u));
        }
    }
}
std::u16string_view View(QStringView text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size())};
}
} // namespace

bool Cp1252CanHold(QStringView text) {
    bool ok = true;
    ForEachCodePoint(View(text), [&](char32_t cp) {
        if (!UnicodeToCp1252(cp))
            ok = false;
    });
    return ok;
}

std::string Utf16ToCp1252(std::u16string_view units) {
    std::string out;
    out.reserve(units.size());
    ForEachCodePoint(units, [&](char32_t cp) {
        const auto b = UnicodeToCp1252(cp);
        out.push_back(b ? static_cast<char>(*b) : '?');
    });
    return out;
}

std::string UnicodeToCp1252(QStringView text) {
    return Utf16ToCp1252(View(text));
}

QString KeepCp1252(QStringView text, int& replaced) {
    replaced = 0;
    QString out;
    out.reserve(text.size());
    ForEachCodePoint(View(text), [&](char32_t cp) {
        if (UnicodeToCp1252(cp)) {
            out.append(QChar(char16_t(cp)));
        } else {
            out.append(QLatin1Char('?'));
            ++replaced;
        }
    });
    return out;
}

char16_t Cp850ToUnicode(unsigned char c) {
    if (c >= 0x80)
        return kCp850High[c - 0x80];
    return char16_t(c);
}

std::string UnicodeToCp850(QStringView text) {
    std::string out;
    out.reserve(std::size_t(text.size()));
    ForEachCodePoint(View(text), [&](char32_t cp) {
        if (cp < 0x80) {
            out.push_back(char(cp));
            return;
        }
        for (int i = 0; i < 128; ++i) {
            if (kCp850High[std::size_t(i)] == cp) {
                out.push_back(char(0x80 + i));
                return;
            }
        }
        out.push_back('?');
    });
    return out;
}

std::string OemToAnsi(std::string_view oem) {
    // One table for all 256 bytes, made once: names arrive byte by byte.
    static const std::array<char, 256> table = [] {
        std::array<char, 256> t{};
        for (int c = 0; c < 256; ++c) {
            const char16_t u = Cp850ToUnicode(static_cast<unsigned char>(c));
            const auto b = UnicodeToCp1252(u);
            t[std::size_t(c)] = b ? static_cast<char>(*b) : BestFit(u);
        }
        return t;
    }();
    std::string out(oem.size(), '\0');
    for (std::size_t i = 0; i < oem.size(); ++i)
        out[i] = table[static_cast<unsigned char>(oem[i])];
    return out;
}

} // namespace codepage
