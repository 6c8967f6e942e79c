// SPDX-License-Identifier: GPL-3.0-or-later
#include "v7sim/AnswerBuilder.h"

#include "platform/base/CodePage.h"

#include <algorithm>

namespace v7sim {

std::vector<std::uint8_t> BuildAnswer(const QStringList& names, const AnswerOptions& options) {
    std::vector<std::uint8_t> out;
    out.reserve(std::size_t(std::max(options.garbage, 0)) + 2);
    // Garbage is printable and never holds the start byte.
    for (int i = 0; i < options.garbage; ++i)
        out.push_back(std::uint8_t(0x21 + (i * 37) % 90));
    out.push_back(0x00);
    out.push_back(0x08);
    std::vector<int> order = options.order;
    if (order.empty())
        for (int k = 0; k < 16; ++k)
            order.push_back(k);
    for (int key : order) {
        if (key < 0 || key > 15)
            continue;
        if (std::find(options.skip.begin(), options.skip.end(), key) != options.skip.end())
            continue;
        out.push_back(std::uint8_t(0x30 + key));
        const std::string name = codepage::UnicodeToCp850(names.value(key));
        for (char c : name) {
            // Control bytes would be dropped by the receiver anyway.
            if (std::uint8_t(c) >= 0x20)
                out.push_back(std::uint8_t(c));
        }
        out.push_back(0x0D);
    }
    out.push_back(0x00);
    return out;
}

QStringList DemoNames() {
    return {QStringLiteral("Zentrale"),      QStringLiteral("Empfang"),
            QStringLiteral("Buchhaltung"),   QString::fromUtf8("Müller"),
            QString::fromUtf8("Schäfer"),    QString::fromUtf8("Weiß"),
            QStringLiteral("Vertrieb"),      QStringLiteral("Lager"),
            QStringLiteral("Technik"),       QStringLiteral("Einkauf"),
            QStringLiteral("Personal"),      QString::fromUtf8("Geschäftsführung"),
            QStringLiteral("Konferenzraum"), QStringLiteral("Fax"),
            QStringLiteral("Notruf"),        QString::fromUtf8("Türöffner")};
}

} // namespace v7sim
