// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whatever a print job prints: the hooks a job calls in this order, as the
// print and preview commands of a view call them. Preparation answers false
// to end the command (a cancelled print dialog); the page count it sets
// bounds the pages printed.

#include <QString>

class DeviceContext;
struct PrintInfo;

class Printable {
public:
    virtual ~Printable() = default;

    virtual bool OnPreparePrinting(PrintInfo& info) = 0;
    // With an information context of the printer, before the first page.
    virtual void OnBeginPrinting(DeviceContext&, PrintInfo&) {}
    // Before each page is drawn (and before the preview draws one).
    virtual void OnPrepareDC(DeviceContext&) {}
    // Draws page info.currentPage.
    virtual void OnPrint(DeviceContext& dc, PrintInfo& info) = 0;
    // After the last page, also when the job could not be started.
    virtual void OnEndPrinting(DeviceContext&, PrintInfo&) {}
    // The job's name in the printer queue, the PDF's title and the printing
    // box's first line.
    virtual QString JobTitle() const = 0;
};

// The standard preparation: the print dialog (through the window host) for
// the job's page range, none for direct printing and the preview. False
// when the dialog was cancelled or there is no printer.
bool DoPreparePrinting(PrintInfo& info);
