// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include "platform/ui/FormatText.h"
#include "platform/ui/StringTable.h"
#include "resources/Resource.h"

namespace {

CommandLineInfo Error(const QString& text) {
    CommandLineInfo info;
    info.action = CommandLineInfo::Action::Error;
    info.error = text;
    return info;
}

// The switches of Qt's application objects and platform plugins that take
// a value, and those that stand alone; each may be written with one dash
// or two.
const QStringList& QtSwitchesWithValue() {
    static const QStringList names{QStringLiteral("platform"),
                                   QStringLiteral("platformpluginpath"),
                                   QStringLiteral("platformtheme"),
                                   QStringLiteral("plugin"),
                                   QStringLiteral("qwindowgeometry"),
                                   QStringLiteral("qwindowicon"),
                                   QStringLiteral("qwindowtitle"),
                                   QStringLiteral("geometry"),
                                   QStringLiteral("title"),
                                   QStringLiteral("icon"),
                                   QStringLiteral("name"),
                                   QStringLiteral("display"),
                                   QStringLiteral("session"),
                                   QStringLiteral("style"),
                                   QStringLiteral("stylesheet")};
    return names;
}

const QStringList& QtSwitchesAlone() {
    static const QStringList names{QStringLiteral("reverse"),     QStringLiteral("sync"),
                                   QStringLiteral("nograb"),      QStringLiteral("dograb"),
                                   QStringLiteral("widgetcount"), QStringLiteral("testability")};
    return names;
}

} // namespace

QStringList SetQtSwitchesAside(const QStringList& args, QtSwitches& found) {
    QStringList rest;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (a == QLatin1String("--")) {
            rest += args.mid(i);
            break;
        }
        const bool isSwitch = a.startsWith(QLatin1Char('-')) && a.size() > 1;
        const QString name = a.startsWith(QLatin1String("--")) ? a.mid(2) : a.mid(1);
        if (isSwitch && QtSwitchesWithValue().contains(name) && i + 1 < args.size()) {
            const QString& value = args.at(++i);
            if (name == QLatin1String("platform"))
                found.platform = value;
            else if (name == QLatin1String("display"))
                found.display = value;
            continue;
        }
        const bool qtAlone = isSwitch && (QtSwitchesAlone().contains(name) ||
                                          a.startsWith(QLatin1String("-style=")) ||
                                          a.startsWith(QLatin1String("-qmljsdebugger=")));
        if (!qtAlone)
            rest.append(a);
    }
    return rest;
}

CommandLineInfo ParseCommandLine(const QStringList& args) {
    CommandLineInfo info;
    QStringList rest;
    bool onlyFiles = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        const QString lower = a.toLower();
        if (onlyFiles) {
            rest.append(a);
            continue;
        }
        if (a == QLatin1String("--")) {
            onlyFiles = true;
        } else if (lower == QLatin1String("--help") || lower == QLatin1String("-h") ||
                   a == QLatin1String("-?") || a == QLatin1String("/?")) {
            info.action = CommandLineInfo::Action::Help;
            return info;
        } else if (lower == QLatin1String("--version") || lower == QLatin1String("-v")) {
            info.action = CommandLineInfo::Action::Version;
            return info;
        } else if (lower == QLatin1String("/p") || lower == QLatin1String("-p")) {
            info.action = CommandLineInfo::Action::Print;
        } else if (lower == QLatin1String("/pt") || lower == QLatin1String("-pt")) {
            info.action = CommandLineInfo::Action::PrintTo;
        } else if (lower == QLatin1String("--print-to-pdf") ||
                   lower == QLatin1String("--calibration-pdf")) {
            if (i + 1 >= args.size())
                return Error(FormatString(IDS_CMD_PDF_MISSING, {lower}));
            info.action = CommandLineInfo::Action::PrintToPdf;
            info.calibrationPage = lower == QLatin1String("--calibration-pdf");
            info.pdfOut = args.at(++i);
        } else if (lower == QLatin1String("--import-csv")) {
            if (i + 1 >= args.size())
                return Error(LoadStr(IDS_CSV_OPTION_NEEDS_FILE));
            info.importCsv = args.at(++i);
        } else if (lower == QLatin1String("--fit")) {
            info.fitLongNames = true;
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            return Error(FormatString(IDS_CMD_UNKNOWN_OPTION, {a}));
        } else {
            rest.append(a);
        }
    }

    if (!info.importCsv.isEmpty() && !info.IsBatch())
        return Error(LoadStr(IDS_CSV_OPTION_NEEDS_PRINT));
    using A = CommandLineInfo::Action;
    switch (info.action) {
    case A::New:
        if (rest.size() > 1)
            return Error(LoadStr(IDS_CMD_ONE_FILE));
        if (rest.size() == 1) {
            info.action = A::Open;
            info.file = rest.at(0);
        }
        break;
    case A::Print:
        if (rest.isEmpty())
            return Error(LoadStr(IDS_CMD_PRINT_ONE_FILE));
        if (rest.size() == 1)
            info.file = rest.at(0);
        else
            info.sheetFiles = rest;
        break;
    case A::PrintTo:
        if (rest.size() < 2 || rest.size() > 4)
            return Error(LoadStr(IDS_CMD_PRINT_TO_ARGS));
        info.file = rest.at(0);
        info.printer = rest.at(1);
        info.driver = rest.value(2);
        info.port = rest.value(3);
        break;
    case A::PrintToPdf:
        if (rest.size() > 1 && info.calibrationPage)
            return Error(FormatString(IDS_CMD_PDF_ONE_FILE, {"--calibration-pdf"}));
        if (rest.size() > 1)
            info.sheetFiles = rest;
        else
            info.file = rest.value(0);
        break;
    default:
        break;
    }
    if (!info.importCsv.isEmpty() && !info.sheetFiles.isEmpty())
        return Error(LoadStr(IDS_CMD_CSV_ONE_FILE));
    return info;
}

QString UsageText() {
    return LoadStr(IDS_CMD_USAGE);
}
