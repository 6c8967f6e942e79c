// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ui/StringTable.h"

#include "resources/Resource.h"

#include <QHash>
#include <QStringList>

namespace {

struct Entry {
    int id;
    const char* text;
};

constexpr Entry kEntries[] = {
#include "resources/Strings.inc"
};

const QHash<int, QString>& Table() {
    static const QHash<int, QString> table = [] {
        QHash<int, QString> t;
        for (const Entry& e : kEntries)
            t.insert(e.id, QString::fromUtf8(e.text));
        return t;
    }();
    return table;
}

} // namespace

QString LoadStr(int id) {
    return Table().value(id);
}

QString LoadStrPart(int id, int index) {
    const QStringList parts = LoadStr(id).split(QLatin1Char('\n'));
    return index < parts.size() ? parts.at(index) : QString();
}
