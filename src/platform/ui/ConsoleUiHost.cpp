// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ui/ConsoleUiHost.h"

#include "platform/ui/StringTable.h"
#include "resources/Resource.h"

#include <cstdio>

MbResult ConsoleUiHost::MessageBox(const QString& text, MbButtons buttons, MbIcon) {
    QString line = text;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    std::fprintf(stderr, "%s: %s\n", qUtf8Printable(LoadStr(IDS_APP_TITLE)), qUtf8Printable(line));
    std::fflush(stderr);
    switch (buttons) {
    case MbButtons::Ok:
        return MbResult::Ok;
    case MbButtons::YesNo:
        return MbResult::No;
    default:
        return MbResult::Cancel;
    }
}
