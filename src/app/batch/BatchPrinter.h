// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Printing from the command line: "/p FILE" on the default printer,
// "/pt FILE PRINTER [DRIVER] [PORT]" on the named printer (driver and port
// mean nothing to the printing system here and are ignored), and
// "--print-to-pdf OUT.pdf [FILE]" into a PDF file ("--calibration-pdf": the
// calibration test page instead of the strip). The strip is loaded by
// the start-up; this prints it without a dialog and says whether it worked.
// With --import-csv the strip first takes the names of the CSV file; a
// refused file ends the run before anything is printed.
// A PDF is written beside its target and takes the target's place only when
// it is complete; an existing file that is not a PDF is never replaced.

#include "app/CommandLine.h"
#include "platform/printing/PrintJob.h"

class CNamenApp;
class QPrinter;

class BatchPrinter {
public:
    explicit BatchPrinter(const CommandLineInfo& commandLine) : commandLine_(commandLine) {}

    // Keeps Qt's own diagnostics off standard error, which in the batch
    // modes carries only the program's "Quintara: <text>" lines (serious
    // ones are passed on in that form).
    static void QuietQtMessages();

    // Prints the application's strip; true when the page went out (for a
    // PDF: when the whole file is on disk under its name).
    bool Run(CNamenApp& app) const;

private:
    // Sets the printer up for /p and /pt; false (after the message) when
    // the printer does not exist.
    bool PreparePrinter(QPrinter& printer) const;
    // False (after the message) for an output that is not a PDF of ours to
    // replace.
    bool MayWritePdf() const;
    bool PrintToPdf(CNamenApp& app) const;
    // The job itself, on the printer as it is set up; allRead false when a
    // file of the sheet could not be read.
    PrintJob::Result Print(CNamenApp& app, bool& allRead) const;
    // The names that will not fit on the paper of app's printer, as one
    // warning on standard error; printing goes on.
    static void WarnUnfitNames(CNamenApp& app);

    CommandLineInfo commandLine_;
};
