#include "app/BatchPrinter.h"
#include "app/CommandLine.h"
#include "app/FirstPaintProbe.h"
#include "app/MainFrame.h"
#include "app/NamenApp.h"
#include "app/ShellIntegration.h"
#include "platform/ConsoleUiHost.h"
#include "platform/QtUiHost.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>

namespace {

QStringList Arguments(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    return args;
}

bool HaveDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char** argv) {
    const CommandLineInfo cmd = ParseCommandLine(Arguments(argc, argv));
    using A = CommandLineInfo::Action;
    switch (cmd.action) {
    case A::Help:
        std::fputs(qUtf8Printable(UsageText()), stdout);
        return 0;
    case A::Version:
        std::printf("quintara %s\n", QUINTARA_VERSION);
        return 0;
    case A::Error:
        std::fprintf(stderr, "Quintara: %s\n", qUtf8Printable(cmd.error));
        std::fprintf(stderr, "Quintara: \"quintara --help\" zeigt den Aufruf.\n");
        return 1;
    default:
        break;
    }

    // Printing from the command line shows no window and needs no display.
    if (cmd.IsBatch()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        BatchPrinter::QuietQtMessages();
    } else if (!HaveDisplay()) {
        std::fprintf(stderr, "Quintara: Keine Anzeige gefunden (DISPLAY ist nicht gesetzt).\n");
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quintara"));
    QApplication::setApplicationVersion(QStringLiteral(QUINTARA_VERSION));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QTranslator qtGerman;
    if (qtGerman.load(QStringLiteral("qtbase_de"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtGerman);

    ConsoleUiHost consoleHost;
    QtUiHost qtHost;
    if (cmd.IsBatch())
        SetUiHost(&consoleHost);
    else
        SetUiHost(&qtHost);

    ShellIntegration shell;
    if (!cmd.IsBatch() && shell.HandOver(cmd))
        return 0;
    CNamenApp namenApp;
    if (!namenApp.InitInstance(cmd))
        return 1;
    if (cmd.IsBatch())
        return BatchPrinter(cmd).Run(namenApp) ? 0 : 1;
    FirstPaintProbe::InstallIfAsked(namenApp.MainFrame()->centralWidget());
    namenApp.ShowMainWindow();
    shell.Attach(namenApp);
    // Registration writes and compares icons; it waits until the window is up.
    shell.StartDesktopRegistration(1500);
    const int result = QApplication::exec();
    SetUiHost(nullptr);
    return result;
}
