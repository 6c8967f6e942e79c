#include "app/CommandLine.h"

#include "platform/ui/StringTable.h"
#include "resources/Resource.h"

namespace {

CommandLineInfo Error(const QString& text) {
    CommandLineInfo info;
    info.action = CommandLineInfo::Action::Error;
    info.error = text;
    return info;
}

} // namespace

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
                return Error(QStringLiteral("Nach %1 fehlt der Name der PDF-Datei.").arg(lower));
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
            return Error(QStringLiteral("Unbekannte Option: %1").arg(a));
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
            return Error(QStringLiteral("Es kann nur eine Datei geöffnet werden."));
        if (rest.size() == 1) {
            info.action = A::Open;
            info.file = rest.at(0);
        }
        break;
    case A::Print:
        if (rest.size() != 1)
            return Error(QStringLiteral("/p erwartet genau eine Datei."));
        info.file = rest.at(0);
        break;
    case A::PrintTo:
        if (rest.size() < 2 || rest.size() > 4)
            return Error(QStringLiteral("/pt erwartet Datei und Drucker (Treiber und Anschluss "
                                        "sind freigestellt)."));
        info.file = rest.at(0);
        info.printer = rest.at(1);
        info.driver = rest.value(2);
        info.port = rest.value(3);
        break;
    case A::PrintToPdf:
        if (rest.size() > 1)
            return Error(QStringLiteral("%1 druckt höchstens eine Datei.")
                             .arg(info.calibrationPage ? "--calibration-pdf" : "--print-to-pdf"));
        info.file = rest.value(0);
        break;
    default:
        break;
    }
    return info;
}

QString UsageText() {
    return QStringLiteral(
        "Aufruf: quintara [DATEI.V7N]\n"
        "        quintara /p DATEI.V7N\n"
        "        quintara /pt DATEI.V7N DRUCKER [TREIBER] [ANSCHLUSS]\n"
        "        quintara --print-to-pdf AUSGABE.pdf [DATEI.V7N]\n"
        "        quintara --import-csv NAMEN.csv --print-to-pdf AUSGABE.pdf [DATEI.V7N]\n"
        "        quintara --calibration-pdf AUSGABE.pdf [DATEI.V7N]\n"
        "        (jeweils mit --fit: lange Namen schmaler setzen)\n"
        "        quintara --help | --version\n"
        "\n"
        "Beschriftet den Einlegestreifen der 16 Funktionstasten des Telvora V7.\n"
        "\n"
        "  DATEI.V7N            öffnet den Streifen (ohne Datei: ein leerer Streifen)\n"
        "  /p DATEI             druckt auf dem Standarddrucker und endet\n"
        "  /pt DATEI DRUCKER    druckt auf dem genannten Drucker und endet; TREIBER und\n"
        "                       ANSCHLUSS werden angenommen, aber nicht gebraucht (das\n"
        "                       Drucksystem kennt den Drucker unter seinem Namen)\n"
        "  --print-to-pdf AUS   druckt wie der Menübefehl in die PDF-Datei AUS (A4) und endet;\n"
        "                       braucht weder Anzeige noch Drucker\n"
        "  --import-csv NAMEN   füllt den Streifen vor dem Drucken (/p, /pt, --print-to-pdf)\n"
        "                       mit Namen und Farben aus der CSV-Datei NAMEN\n"
        "  --calibration-pdf AUS\n"
        "                       schreibt ebenso die Testseite zum Kalibrieren des Druckers\n"
        "                       (mit Rändern und Zoom von DATEI) nach AUS und endet\n"
        "  --fit                setzt für diesen Lauf Namen, die nicht in ihr Feld passen,\n"
        "                       schmaler und kleiner (wie die Option \"Lange Namen schmaler\n"
        "                       setzen\"); ohne --fit gilt die Einstellung im Profil\n"
        "  --help               zeigt diesen Text\n"
        "  --version            zeigt die Version\n"
        "\n"
        "Beim Drucken von der Befehlszeile gehen Meldungen als \"Quintara: <Text>\" auf die\n"
        "Standardfehlerausgabe; der Rückgabewert ist 0 bei Erfolg, sonst 1. Namen, die\n"
        "nicht in ihr Feld passen, meldet eine Zeile \"Quintara: Warnung: ...\"; gedruckt\n"
        "wird trotzdem.\n");
}
