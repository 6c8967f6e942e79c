// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"
#include "app/MainFrame.h"
#include "app/NamenApp.h"
#include "app/batch/BatchPrinter.h"
#include "app/desktop/DeferredRegistration.h"
#include "app/handover/HandOver.h"
#include "app/handover/HandOverProtocol.h"
#include "app/probe/FirstPaintProbe.h"
#include "app/recovery/RecoveryStore.h"
#include "app/recovery/SignalRelay.h"
#include "platform/dialogs/QtUiHost.h"
#include "platform/dialogs/WindowHost.h"
#include "platform/files/Profile.h"
#include "platform/ui/ConsoleUiHost.h"
#include "platform/ui/DisplayCheck.h"
#include "platform/ui/FormatText.h"
#include "platform/ui/StringTable.h"
#include "platform/ui/UiHost.h"
#include "platform/window/AfterFirstPaint.h"
#include "resources/Resource.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QSessionManager>
#include <QTranslator>
#include <cstdio>

namespace {

QStringList Arguments(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    return args;
}

// The window needs a display that answers; Qt itself would abort with an
// English text. Answers false after the message.
bool ReportDisplay(const DisplayCheck& check) {
    QString text;
    switch (check.GetOutcome()) {
    case DisplayCheck::Outcome::Reachable:
        return true;
    case DisplayCheck::Outcome::NotSet:
        text = LoadStr(IDS_NO_DISPLAY);
        break;
    case DisplayCheck::Outcome::Unreachable:
        text = FormatString(IDS_DISPLAY_UNREACHABLE, {check.DisplayName()});
        break;
    }
    std::fprintf(stderr, "Quintara: %s\n", qUtf8Printable(text));
    return false;
}

// A profile that cannot be used costs its settings, not the start: one
// line on standard error, in the window as in the batch modes.
void ReportProfileProblem(Profile::Problem problem, const QString& path) {
    int text = IDS_PROFILE_UNWRITABLE;
    if (problem == Profile::Problem::NotAFile)
        text = IDS_PROFILE_NOT_A_FILE;
    else if (problem == Profile::Problem::Unreadable)
        text = IDS_PROFILE_UNREADABLE;
    std::fprintf(stderr, "Quintara: %s\n",
                 qUtf8Printable(FormatString(text, {QDir::toNativeSeparators(path)})));
}

// Help, version and a command line that cannot be read need no
// application object; answers false for every other action.
bool AnswerAtOnce(const CommandLineInfo& cmd, int& status) {
    using A = CommandLineInfo::Action;
    status = 0;
    switch (cmd.action) {
    case A::Help:
        std::fputs(qUtf8Printable(UsageText()), stdout);
        return true;
    case A::Version:
        std::fputs(qUtf8Printable(FormatString(IDS_CMD_VERSION,
                                               {QUINTARA_VERSION, LoadStr(IDS_ABOUT_COPYRIGHT)})),
                   stdout);
        return true;
    case A::Error:
        std::fprintf(stderr, "Quintara: %s\n", qUtf8Printable(cmd.error));
        std::fprintf(stderr, "Quintara: %s\n", qUtf8Printable(LoadStr(IDS_CMD_SEE_HELP)));
        status = 1;
        return true;
    default:
        return false;
    }
}

} // namespace

int main(int argc, char** argv) {
    // Qt's switches are Qt's: the application object takes them, and the
    // program reads what remains. Until that object exists, the arguments
    // without them tell whether this run prints and where a window goes.
    QtSwitches qtSwitches;
    const CommandLineInfo early =
        ParseCommandLine(SetQtSwitchesAside(Arguments(argc, argv), qtSwitches));
    int status = 0;
    if (AnswerAtOnce(early, status))
        return status;
    // The display check, the hand-over's socket and the tools the program
    // starts see the display and platform that Qt is told to use.
    if (!qtSwitches.display.isEmpty())
        qputenv("DISPLAY", qtSwitches.display.toLocal8Bit());
    if (!qtSwitches.platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", qtSwitches.platform.toLocal8Bit());
    // Read before Qt takes the startup id out of the environment.
    const QByteArray activationToken = handover::ActivationToken();

    // Printing from the command line shows no window and needs no display.
    DisplayCheck display;
    if (early.IsBatch()) {
        if (qtSwitches.platform.isEmpty())
            qputenv("QT_QPA_PLATFORM", "offscreen");
        BatchPrinter::QuietQtMessages();
    } else {
        display = DisplayCheck::Run();
        if (!ReportDisplay(display))
            return 1;
    }

    QApplication app(argc, argv);
    // Only now: the check's connection kept an X server from resetting.
    display.CloseConnection();
    const CommandLineInfo cmd = ParseCommandLine(QCoreApplication::arguments().mid(1));
    if (AnswerAtOnce(cmd, status))
        return status;
    QApplication::setApplicationName(QStringLiteral("Quintara"));
    QApplication::setApplicationVersion(QStringLiteral(QUINTARA_VERSION));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QTranslator qtGerman;
    if (qtGerman.load(QStringLiteral("qtbase_de"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtGerman);

    Profile::SetReporter(ReportProfileProblem);

    ConsoleUiHost consoleHost;
    QtUiHost qtHost;
    if (cmd.IsBatch()) {
        SetUiHost(&consoleHost);
    } else {
        SetUiHost(&qtHost);
        SetWindowHost(&qtHost);
    }

    HandOver handOver;
    if (!cmd.IsBatch() && handOver.Offer(cmd, QString(), activationToken))
        return 0;
    CNamenApp namenApp;
    if (!cmd.IsBatch())
        namenApp.RecentFiles().HoldWrites(true);
    if (!namenApp.InitInstance(cmd))
        return 1;
    if (cmd.IsBatch())
        return BatchPrinter(cmd).Run(namenApp) ? 0 : 1;
    namenApp.ExpectPrinterProbe();
    FirstPaintProbe::InstallIfAsked(namenApp.MainFrame()->centralWidget());
    namenApp.ShowMainWindow();
    // The window first: a second start just then opens a window of its own.
    AfterFirstPaint(namenApp.MainFrame()->centralWidget(), [&handOver, &namenApp] {
        handOver.Attach(namenApp);
        namenApp.RecentFiles().HoldWrites(false);
        namenApp.StartPrinterProbe();
        namenApp.StartRecovery(recovery::DefaultFolder());
    });
    // A logout, a closed terminal or Ctrl+C keep the unsaved strip for the
    // next start, as the session manager's request does.
    SignalRelay relay([&namenApp](int signal) {
        namenApp.WriteRecoveryNow();
        SignalRelay::EndBy(signal);
    });
    QObject::connect(&app, &QGuiApplication::commitDataRequest,
                     [&namenApp](QSessionManager& manager) {
                         if (!namenApp.OnCommitData(manager.allowsInteraction()))
                             manager.cancel();
                     });
    // Registration writes and compares icons; it waits until the window is up.
    DeferredRegistration registration;
    registration.Start(1500);
    const int result = QApplication::exec();
    // A run that ended before the first paint's work still lists its file.
    namenApp.RecentFiles().HoldWrites(false);
    namenApp.EndRecovery();
    SetWindowHost(nullptr);
    SetUiHost(nullptr);
    return result;
}
