// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's message texts carry numbered placeholders, %1 to %9, that
// a text may use in any order and more than once.

#include <QString>
#include <concepts>
#include <initializer_list>

class TextArg {
public:
    TextArg(const QString& s) : text_(s) {}
    TextArg(const char* s) : text_(QString::fromUtf8(s)) {}
    // Whole numbers in decimal, with a sign only when negative.
    template <std::integral T>
    TextArg(T v) {
        if constexpr (std::signed_integral<T>)
            text_ = QString::number(qlonglong(v));
        else
            text_ = QString::number(qulonglong(v));
    }

    const QString& Text() const { return text_; }

private:
    QString text_;
};

// Puts argument n in place of every %n of `format`, in one pass: what an
// argument brings (a file name with "%2", say) is never taken for a
// placeholder. A placeholder without its argument stays as written.
QString FormatText(const QString& format, std::initializer_list<TextArg> args);

// String stringId with its placeholders filled.
QString FormatString(int stringId, std::initializer_list<TextArg> args);

// The same, cut to the 499 characters a message of the program holds at most.
QString MessageString(int stringId, std::initializer_list<TextArg> args);

// What a message quotes of a file or of a name: line breaks and other
// control characters as blanks, and past kQuotedChars characters cut with
// "...". Whatever a file holds, the message stays a line or two that lays
// out at once, in a box and on standard error alike.
constexpr qsizetype kQuotedChars = 40;
QString Quoted(const QString& text);
