// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/DialogNumber.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace dialognumber {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t SkipBlanks(std::string_view s, std::size_t i) {
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    return i;
}

std::size_t SkipDigits(std::string_view s, std::size_t i) {
    while (i < s.size() && IsDigit(s[i]))
        ++i;
    return i;
}

std::size_t SkipSign(std::string_view s, std::size_t i) {
    return i < s.size() && (s[i] == '+' || s[i] == '-') ? i + 1 : i;
}

// A zero counts only when the number starts with the digit 0: this refuses
// an empty field and a zero written as "+0", "-0" or ".0".
bool ZeroWrittenAsZero(std::string_view s, std::size_t first) {
    return first < s.size() && s[first] == '0';
}

// Whether the non-zero number written as digits with an optional point
// (mantissa) times ten to the power exp10 is at least 1. Used only to tell
// an overflow from an underflow when the conversion reports either.
bool AtLeastOne(std::string_view mantissa, long exp10) {
    const std::size_t point = mantissa.find('.');
    long order = long(point == std::string_view::npos ? mantissa.size() : point) - 1;
    for (const char c : mantissa) {
        if (c == '.')
            continue;
        if (c != '0')
            return order + exp10 >= 0;
        --order;
    }
    return false;
}

// The exponent's digits, saturated far beyond any double.
long ExponentValue(std::string_view digits, bool negative) {
    long e = 0;
    for (const char c : digits)
        e = std::min(e * 10 + (c - '0'), 100000L);
    return negative ? -e : e;
}

// The whole field text as the 8-bit text the rules read, characters outside
// ASCII (never part of a number) as a character that no rule accepts.
std::string ToAscii(const QString& text) {
    std::string out;
    out.reserve(std::size_t(text.size()));
    for (const QChar c : text)
        out.push_back(c.unicode() < 0x80 ? char(c.unicode()) : '\x7f');
    return out;
}

} // namespace

QString ShowDecimal(float value) {
    // to_chars writes as printf does in the "C" locale, so the point stays
    // a point under any regional settings.
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, double(value), std::chars_format::general, 6);
    return QString::fromLatin1(buffer, qsizetype(result.ptr - buffer));
}

QString ShowWhole(int value) {
    return QString::number(value);
}

std::optional<float> ReadDecimal(std::string_view text) {
    const std::size_t first = SkipBlanks(text, 0);
    const std::size_t mantissa = SkipSign(text, first);
    const bool negative = mantissa > first && text[first] == '-';

    const std::size_t integerEnd = SkipDigits(text, mantissa);
    std::size_t stop = integerEnd;
    if (stop < text.size() && text[stop] == '.')
        stop = SkipDigits(text, stop + 1);
    const bool hasDigits = integerEnd > mantissa || stop > integerEnd + 1;

    double value = 0;
    std::size_t end = first; // nothing converted
    if (hasDigits) {
        const std::size_t mantissaEnd = stop;
        long exp10 = 0;
        if (stop < text.size() && (text[stop] == 'e' || text[stop] == 'E')) {
            const std::size_t expDigits = SkipSign(text, stop + 1);
            const std::size_t expEnd = SkipDigits(text, expDigits);
            if (expEnd > expDigits) {
                exp10 = ExponentValue(text.substr(expDigits, expEnd - expDigits),
                                      text[stop + 1] == '-');
                stop = expEnd;
            }
        }
        const char* begin = text.data() + mantissa;
        const char* last = text.data() + stop;
        const auto [ptr, ec] = std::from_chars(begin, last, value, std::chars_format::general);
        if (ptr != last)
            return std::nullopt;
        if (ec == std::errc::result_out_of_range) {
            value = AtLeastOne(text.substr(mantissa, mantissaEnd - mantissa), exp10)
                        ? std::numeric_limits<double>::infinity()
                        : 0.0;
        }
        if (negative)
            value = -value;
        end = stop;
    }

    if (value == 0 && !ZeroWrittenAsZero(text, first))
        return std::nullopt;
    if (SkipBlanks(text, end) != text.size())
        return std::nullopt;
    // Held in single precision; a magnitude beyond it becomes an infinity
    // rather than an undefined conversion.
    if (std::fabs(value) > double(std::numeric_limits<float>::max()))
        return negative ? -std::numeric_limits<float>::infinity()
                        : std::numeric_limits<float>::infinity();
    return float(value);
}

std::optional<float> ReadDecimal(const QString& text) {
    return ReadDecimal(std::string_view(ToAscii(text)));
}

std::optional<std::int16_t> ReadWhole(std::string_view text) {
    const std::size_t first = SkipBlanks(text, 0);
    const std::size_t digits = SkipSign(text, first);
    const bool negative = digits > first && text[first] == '-';
    const std::size_t digitsEnd = SkipDigits(text, digits);

    // Saturated: anything this large is refused anyway.
    constexpr long long kSaturate = 1000000;
    long long value = 0;
    std::size_t end = first; // nothing converted
    if (digitsEnd > digits) {
        for (std::size_t i = digits; i < digitsEnd; ++i)
            value = std::min(value * 10 + (text[i] - '0'), kSaturate);
        if (negative)
            value = -value;
        end = digitsEnd;
    }

    if (value == 0 && !ZeroWrittenAsZero(text, first))
        return std::nullopt;
    if (SkipBlanks(text, end) != text.size())
        return std::nullopt;
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return std::int16_t(value);
}

std::optional<std::int16_t> ReadWhole(const QString& text) {
    return ReadWhole(std::string_view(ToAscii(text)));
}

std::optional<std::int64_t> ReadMillimetres(const QString& field) {
    const std::string text = ToAscii(field);
    const std::size_t first = SkipBlanks(text, 0);
    const std::size_t integerEnd = SkipDigits(text, first);
    if (integerEnd == first)
        return std::nullopt;
    constexpr std::int64_t kSaturate = 1000000000;
    std::int64_t value = 0;
    for (std::size_t i = first; i < integerEnd; ++i)
        value = std::min(value * 10 + (text[i] - '0'), kSaturate);
    value *= 100;
    std::size_t end = integerEnd;
    if (end < text.size() && (text[end] == ',' || text[end] == '.')) {
        end = SkipDigits(text, integerEnd + 1);
        if (end == integerEnd + 1)
            return std::nullopt;
        const std::string_view decimals(text.data() + integerEnd + 1, end - integerEnd - 1);
        for (std::size_t i = 0; i < 2 && i < decimals.size(); ++i)
            value += std::int64_t(decimals[i] - '0') * (i == 0 ? 10 : 1);
        if (decimals.size() > 2 && decimals[2] >= '5')
            ++value;
    }
    if (SkipBlanks(text, end) != text.size())
        return std::nullopt;
    return value;
}

QString ShowMillimetres(std::int64_t hundredths) {
    // A margin from a file may be negative.
    const std::int64_t magnitude = hundredths < 0 ? -hundredths : hundredths;
    QString text = QString::number(magnitude / 100);
    if (hundredths < 0)
        text.prepend(QLatin1Char('-'));
    const std::int64_t rest = magnitude % 100;
    if (rest != 0) {
        text += QLatin1Char(',') + QString::number(rest / 10);
        if (rest % 10 != 0)
            text += QString::number(rest % 10);
    }
    return text;
}

float TenthsToUnit(std::int32_t tenths, int tenthsPerUnit) {
    // 1.0f / 10 is 0.1f, 1.0f / 100 is 0.01f: the division rounds to the
    // nearest float, as the literal does.
    return float(double(tenths) * double(1.0f / float(tenthsPerUnit)));
}

std::int32_t UnitToTenths(float value, int tenthsPerUnit) {
    const double rounded = std::floor(double(value) * tenthsPerUnit + 0.5);
    return std::int32_t(std::clamp(rounded, double(std::numeric_limits<std::int32_t>::min()),
                                   double(std::numeric_limits<std::int32_t>::max())));
}

} // namespace dialognumber
