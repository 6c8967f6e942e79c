// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the print commands of a view need from the application: the one
// printer of the run, the paper it prints on, and the profile entry for the
// preview's page count.

#include "platform/draw/DeviceContext.h"

class QPrinter;

class PrintHost {
public:
    virtual ~PrintHost() = default;
    // The printer for every job and preview of the run (made on first use).
    virtual QPrinter& Printer() = 0;
    // Resolution and printing offset of the paper the next job would print
    // on: the printer's, or the PDF geometry when no printer is set up.
    virtual DeviceContext::Attributes PaperAttributes() = 0;
    // False while the printer is still being asked for: PaperAttributes
    // would wait for the answer.
    virtual bool PaperKnown() const { return true; }
    // A dialog has set printer up for a job: its paper may have changed.
    virtual void PrinterChosen(const QPrinter&) {}
    // The measured error of the printer, taken out of everything a job or
    // the preview draws for it; the identity for a printer without one.
    virtual PaperCorrection CorrectionFor(const QPrinter&) { return {}; }
    // How many pages the print preview shows side by side (1 or 2).
    virtual int PreviewPages() = 0;
    virtual void SetPreviewPages(int pages) = 0;
};
