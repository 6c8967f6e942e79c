// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ui/FormatText.h"

#include "platform/ui/StringTable.h"

QString FormatText(const QString& format, std::initializer_list<TextArg> args) {
    QString out;
    out.reserve(format.size());
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        const char16_t next = i + 1 < format.size() ? format.at(i + 1).unicode() : u'\0';
        const std::size_t n = next >= u'1' && next <= u'9' ? std::size_t(next - u'0') : 0;
        if (c == QLatin1Char('%') && n >= 1 && n <= args.size()) {
            out.append(args.begin()[n - 1].Text());
            ++i;
        } else {
            out.append(c);
        }
    }
    return out;
}

QString FormatString(int stringId, std::initializer_list<TextArg> args) {
    return FormatText(LoadStr(stringId), args);
}

QString MessageString(int stringId, std::initializer_list<TextArg> args) {
    QString text = FormatString(stringId, args);
    if (text.size() > 499)
        text.truncate(499);
    return text;
}

QString Quoted(const QString& text) {
    qsizetype length = text.size();
    if (length > kQuotedChars) {
        length = kQuotedChars;
        // Never half of a character outside the basic plane.
        if (text.at(length - 1).isHighSurrogate())
            --length;
    }
    QString out = text.left(length);
    for (QChar& c : out)
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0) ||
            c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    if (length < text.size())
        out += QStringLiteral("...");
    return out;
}
