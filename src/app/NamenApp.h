// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application: start-up, the document with its frame and view, About,
// Help and the Anschlüsse dialog.

#include "app/CommandLine.h"
#include "device/ApparatusReceiver.h"
#include "document/LayoutValues.h"
#include "platform/draw/PaperCorrection.h"
#include "platform/printing/PrintJob.h"
#include "platform/window/SdiAppBase.h"

#include <memory>
#include <optional>
#include <string>

class CMainFrame;
class RecoveryKeeper;
namespace recovery {
class Store;
}
class CV7NamenDoc;
class CV7NamenView;
class HelpWindow;

class CNamenApp : public SdiAppBase {
public:
    explicit CNamenApp(std::unique_ptr<Profile> profile = std::make_unique<Profile>());
    ~CNamenApp() override;

    // Start-up up to the point where the main window can be shown: profile,
    // document, frame and view, then the command line. False when the
    // program must end (the file named on the command line failed).
    bool InitInstance(const CommandLineInfo& commandLine);
    // Sizes the main window for the screen, centres and shows it.
    void ShowMainWindow();

    CMainFrame* MainFrame() const;
    CV7NamenDoc* GetDocument() const;
    CV7NamenView* GetView() const;

    void OnAppAbout();
    // Bearbeiten > Anschlüsse...: which device is COM 1 to COM 4.
    void OnPorts();
    // ID_FILE_CALIBRATE: the assistant; its result is one step.
    void OnCalibrate();
    // The correction kept for the printer, taken out of its jobs (none for
    // a PDF).
    PaperCorrection CorrectionFor(const QPrinter& printer) override;
    std::optional<PaperCorrection> StoredCorrection(const QString& printerName);
    // ID_FILE_PRINT_SHEET: strip files chosen together, printed
    // side by side through the print dialog at the current strip's margins
    // and print scales.
    void OnPrintSheet();
    // Prints the strips of paths on one sheet on the application's printer
    // with placement's margins and scales (none: the first readable file's).
    // Files that cannot be read are named in one message and left out;
    // `allRead` says whether there were any. `direct`: without the print
    // dialog, names too long for their field given as warnings.
    PrintJob::Result PrintSheet(const QStringList& paths, std::optional<LayoutValues> placement,
                                bool direct, bool& allRead);
    // Keeps a recovery copy of unsaved changes in `folder` (after offering
    // what programs that are gone left there). Not for the batch modes.
    void StartRecovery(const QString& folder);
    // Writes the recovery copy now: the program is about to end.
    void WriteRecoveryNow();
    // The program ends normally: its changes were saved or given up.
    void EndRecovery();
    // The session manager asks the program to keep its data: with the
    // user's interaction the save-changes question, else the recovery
    // copy. False when the user cancelled (the session should not end).
    bool OnCommitData(bool interactionAllowed);
    void OnDocumentChanged() override;

    // Shows the help page; IDP_FAILED_TO_LAUNCH_HELP when missing.
    void OnHelp();
    // The executable whose help page Help looks for (tests point it elsewhere).
    void SetHelpExecutable(const QString& exePath) { helpExe_ = exePath; }

private:
    // Offers the strip a gone program left in the store; true when taken.
    bool OfferLeftover(const QString& stem);
    // The window's strip as the recovery copy keeps it, none when all is saved.
    std::optional<std::string> RecoveryStrip() const;

    std::unique_ptr<recovery::Store> recoveryStore_;
    std::unique_ptr<RecoveryKeeper> recovery_;
    // The document's receive command fetches the names through it.
    ApparatusReceiver receiver_;
    QString helpExe_;
    std::unique_ptr<HelpWindow> help_;
};
