// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Conversions between the 8-bit text the program stores (Windows code page
// 1252), Unicode for display and typing, and code page 850 in which the
// apparatus sends its names.

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace codepage {

char16_t Cp1252ToUnicode(unsigned char c);
QString Cp1252ToUnicode(std::string_view text);

// The byte for a code point, or nothing when code page 1252 cannot hold it.
std::optional<unsigned char> UnicodeToCp1252(char32_t cp);
// True when every character of the text has a byte in code page 1252.
bool Cp1252CanHold(QStringView text);
// Converts, writing '?' for every code point code page 1252 cannot hold.
std::string UnicodeToCp1252(QStringView text);
// The text with '?' for every code point code page 1252 cannot hold, as a
// conversion would store it; `replaced` counts them.
QString KeepCp1252(QStringView text, int& replaced);

// Little-endian-decoded UTF-16 code units to code page 1252, '?' for what
// it cannot hold (a surrogate pair counts as one code point).
std::string Utf16ToCp1252(std::u16string_view units);

char16_t Cp850ToUnicode(unsigned char c);
// Unicode to code page 850, '?' for what it cannot hold.
std::string UnicodeToCp850(QStringView text);
// Code page 850 (the OEM code page of a German installation) to code page
// 1252; characters without a counterpart get their closest look-alike
// (box drawing as + - | =) or '?'.
std::string OemToAnsi(std::string_view oem);

} // namespace codepage
