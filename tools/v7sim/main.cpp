// SPDX-License-Identifier: GPL-3.0-or-later
// v7sim: plays the Telvora V7 apparatus for trying and testing the name
// transfer without the apparatus. See the README.

#include "v7sim/Simulator.h"

#include <QFile>
#include <QStringList>
#include <cstdio>

namespace {

void Usage() {
    std::fputs(
        "Usage: v7sim [options]\n"
        "Opens a pseudo-terminal (or --device), prints its path, waits for the request\n"
        "0x00 0x07 and answers with the 16 key names at the pace of a 9600-baud line.\n"
        "Point the program at it with QUINTARA_COM1=<path>.\n\n"
        "  --device PATH     use this serial device instead of a new pseudo-terminal\n"
        "  --names FILE      UTF-8 text, one name per line, key 0 first (default: demo names)\n"
        "  --order LIST      keys in sending order, e.g. 15,14,13 or 'reverse'\n"
        "  --skip LIST       keys not to send, e.g. 3,7\n"
        "  --chunk N         bytes written at once (default 8)\n"
        "  --garbage N       N bytes of garbage before the answer\n"
        "  --no-answer       never answer\n"
        "  --fast            no pacing\n"
        "  --baud N          pace of the line (default 9600)\n"
        "  --once            end after the first answer\n",
        stdout);
}

std::vector<int> Keys(const QString& list) {
    std::vector<int> keys;
    if (list == QLatin1String("reverse")) {
        for (int k = 15; k >= 0; --k)
            keys.push_back(k);
        return keys;
    }
    for (const QString& part : list.split(QLatin1Char(','), Qt::SkipEmptyParts))
        keys.push_back(part.trimmed().toInt());
    return keys;
}

} // namespace

int main(int argc, char** argv) {
    v7sim::SimulatorOptions options;
    options.names = v7sim::DemoNames();
    for (int i = 1; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        auto next = [&]() -> QString {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "v7sim: %s needs a value\n", argv[i]);
                std::exit(2);
            }
            return QString::fromLocal8Bit(argv[++i]);
        };
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            Usage();
            return 0;
        } else if (a == QLatin1String("--device")) {
            options.device = next();
        } else if (a == QLatin1String("--names")) {
            QFile f(next());
            if (!f.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "v7sim: cannot read %s\n", qPrintable(f.fileName()));
                return 2;
            }
            options.names = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
            for (QString& n : options.names)
                n.remove(QLatin1Char('\r'));
        } else if (a == QLatin1String("--order")) {
            options.answer.order = Keys(next());
        } else if (a == QLatin1String("--skip")) {
            options.answer.skip = Keys(next());
        } else if (a == QLatin1String("--chunk")) {
            options.chunk = next().toInt();
        } else if (a == QLatin1String("--garbage")) {
            options.answer.garbage = next().toInt();
        } else if (a == QLatin1String("--baud")) {
            options.baud = next().toInt();
        } else if (a == QLatin1String("--no-answer")) {
            options.noAnswer = true;
        } else if (a == QLatin1String("--fast")) {
            options.fast = true;
        } else if (a == QLatin1String("--once")) {
            options.once = true;
        } else {
            std::fprintf(stderr, "v7sim: unknown option %s (--help shows them)\n", argv[i]);
            return 2;
        }
    }
    return v7sim::Simulator(options).Run();
}
