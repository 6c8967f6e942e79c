#pragma once
// One print job of a view on a printer, with the framework's sequence of
// hooks: preparation (the print dialog unless printing directly), begin
// printing with an information context of the printer, starting the job,
// each page as context preparation plus OnPrint, and end printing, which
// also runs when the job cannot be started.

class QPrinter;
class ScrollViewBase;

class PrintJob {
public:
    enum class Result { Printed, Cancelled, Failed };

    PrintJob(ScrollViewBase& view, QPrinter& printer) : view_(view), printer_(printer) {}
    // `direct`: no print dialog, the printer as it is set up.
    Result Run(bool direct);

private:
    ScrollViewBase& view_;
    QPrinter& printer_;
};
