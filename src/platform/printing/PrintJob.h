// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One print job of something printable on a printer, with the framework's
// sequence of hooks: preparation (the print dialog unless printing
// directly), begin printing with an information context of the printer,
// starting the job, each page as context preparation plus OnPrint, and end
// printing, which also runs when the job cannot be started.

class Printable;
class PrintHost;
class QPrinter;

class PrintJob {
public:
    enum class Result { Printed, Cancelled, Failed };

    // host: whose correction of the printer the pages take (none: no correction).
    PrintJob(Printable& job, QPrinter& printer, PrintHost* host = nullptr)
        : job_(job), printer_(printer), host_(host) {}
    // `direct`: no print dialog, the printer as it is set up.
    Result Run(bool direct);

private:
    Printable& job_;
    QPrinter& printer_;
    PrintHost* host_;
};
