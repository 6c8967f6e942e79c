// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The numbers of the dialogs' edit fields: how a value is written into a
// field and how a field's text is read back. No widget is involved, so the
// rules can be checked (and fuzzed) on plain text.
//
// Reading is strict on purpose: the point is the only decimal separator
// whatever the user's regional settings, blanks and tabs may stand around
// the number but nothing else may, however far from it (the whole text is
// read), and a zero counts only when it is written with a leading digit 0
// (so an empty field, "+0", "-0" or ".0" is refused).

#include <QString>
#include <cstdint>
#include <optional>
#include <string_view>

namespace dialognumber {

// "%.*g" at precision 6, with the point as separator: 1, 2.29, 0.1, 1e+06.
QString ShowDecimal(float value);
// Decimal digits with a minus sign where needed.
QString ShowWhole(int value);

// A decimal number (optional sign, digits with an optional point, optional
// exponent), held in single precision; nothing when the text is refused.
// Too large a magnitude reads as an infinity, which no range accepts.
std::optional<float> ReadDecimal(std::string_view text);
std::optional<float> ReadDecimal(const QString& text);

// A whole number (optional sign and digits) that fits in signed 16 bits;
// nothing when the text is refused.
std::optional<std::int16_t> ReadWhole(std::string_view text);
std::optional<std::int16_t> ReadWhole(const QString& text);

// A length measured with a ruler, in millimetres: digits with an optional
// decimal comma or point followed by digits, blanks and tabs around, and
// nothing else (no sign, exponent or thousands separator). Answers
// hundredths of a millimetre, the third decimal rounding half up; a value
// far beyond any field saturates. Unlike the other fields this one takes
// the comma too: the number is copied from a ruler, not from a program.
std::optional<std::int64_t> ReadMillimetres(const QString& text);
// Hundredths of a millimetre with a decimal comma: "20", "17,9", "97,25".
QString ShowMillimetres(std::int64_t hundredths);

// Lengths are stored in tenths of a millimetre and shown in a unit of
// tenthsPerUnit tenths (10: millimetres, 100: centimetres). The factor is
// taken in single precision, so that a length shown and read back unchanged
// gives the stored length again.
float TenthsToUnit(std::int32_t tenths, int tenthsPerUnit);
// To the nearest tenth, a half up; defined for any float.
std::int32_t UnitToTenths(float value, int tenthsPerUnit);

} // namespace dialognumber
