#pragma once
// Printing from the command line: "/p FILE" on the default printer,
// "/pt FILE PRINTER [DRIVER] [PORT]" on the named printer (driver and port
// mean nothing to the printing system here and are ignored), and
// "--print-to-pdf OUT.pdf [FILE]" into a PDF file. The strip is loaded by
// the start-up; this prints it without a dialog and says whether it worked.

#include "app/CommandLine.h"

class CNamenApp;
class QPrinter;

class BatchPrinter {
public:
    explicit BatchPrinter(const CommandLineInfo& commandLine) : commandLine_(commandLine) {}

    // Keeps Qt's own diagnostics off standard error, which in the batch
    // modes carries only the program's "Quintara: <text>" lines (serious
    // ones are passed on in that form).
    static void QuietQtMessages();

    // Sets the printer up for the command; false (after the message) when
    // the printer does not exist or the PDF file cannot be written.
    bool PreparePrinter(QPrinter& printer) const;
    // Prints the application's strip; true when the page went out.
    bool Run(CNamenApp& app) const;

private:
    CommandLineInfo commandLine_;
};
