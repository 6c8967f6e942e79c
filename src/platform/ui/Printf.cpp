#include "platform/ui/Printf.h"

#include <vector>

QString FormatPrintf(const QString& format, std::initializer_list<PrintfArg> args) {
    const std::vector<PrintfArg> argv(args);
    std::size_t next = 0;
    QString out;
    out.reserve(format.size() + 16);
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c != QLatin1Char('%') || i + 1 >= format.size()) {
            out.append(c);
            continue;
        }
        qsizetype j = i + 1;
        if (format.at(j) == QLatin1Char('%')) {
            out.append(QLatin1Char('%'));
            i = j;
            continue;
        }
        while (j < format.size() && format.at(j) == QLatin1Char('l'))
            ++j;
        if (j >= format.size() || next >= argv.size()) {
            out.append(c);
            continue;
        }
        const char conv = format.at(j).toLatin1();
        const PrintfArg& arg = argv[next];
        QString piece;
        bool known = true;
        switch (conv) {
        case 'd':
        case 'i':
            piece = QString::number(std::int32_t(std::uint32_t(arg.Number())));
            break;
        case 'u':
            piece = QString::number(std::uint32_t(arg.Number()));
            break;
        case 'x':
            piece = QString::number(std::uint32_t(arg.Number()), 16);
            break;
        case 's':
            piece = arg.IsText() ? arg.Text() : QString::number(arg.Number());
            break;
        default:
            known = false;
            break;
        }
        if (!known) {
            out.append(c);
            continue;
        }
        out.append(piece);
        ++next;
        i = j;
    }
    return out;
}
