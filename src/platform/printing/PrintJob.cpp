// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/printing/PrintJob.h"

#include "platform/dialogs/WindowHost.h"
#include "platform/draw/DeviceContext.h"
#include "platform/printing/PrintHost.h"
#include "platform/printing/PrintInfo.h"
#include "platform/printing/Printable.h"
#include "platform/printing/PrinterDevice.h"
#include "platform/printing/PrintingBox.h"
#include "platform/ui/UiHost.h"
#include "resources/Resource.h"

#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <memory>

PrintJob::Result PrintJob::Run(bool direct) {
    PrintInfo info;
    info.printer = &printer_;
    info.direct = direct;
    if (!job_.OnPreparePrinting(info))
        return Result::Cancelled;
    if (host_)
        host_->PrinterChosen(printer_);

    // The pages the view has, narrowed to a range chosen in the dialog.
    int first = info.minPage;
    int last = info.maxPage;
    if (printer_.printRange() == QPrinter::PageRange && printer_.fromPage() > 0) {
        first = std::max(first, printer_.fromPage());
        last = std::min(last, std::max(printer_.fromPage(), printer_.toPage()));
    }
    if (first > last)
        return Result::Cancelled;

    const QString title = job_.JobTitle();
    // The job's name in the printer queue and the title of a PDF.
    printer_.setDocName(title);
    DeviceContext::Attributes attributes = printerdevice::Attributes(printer_);
    DeviceContext infoDc(attributes);
    // The printer chosen in the dialog decides; only the pages draw corrected.
    if (host_)
        attributes.correction = host_->CorrectionFor(printer_);
    job_.OnBeginPrinting(infoDc, info);

    QPainter painter;
    if (!painter.begin(&printer_)) {
        AppMessageBoxId(IDP_FAILED_TO_START_PRINT);
        job_.OnEndPrinting(infoDc, info);
        return Result::Failed;
    }

    std::unique_ptr<PrintingBox> box;
    if (GetUiHost().ShowsProgress()) {
        box = std::make_unique<PrintingBox>(title, printerdevice::DisplayName(printer_),
                                            printerdevice::DestinationLine(printer_),
                                            GetWindowHost().MainWindow());
    }

    bool cancelled = false;
    for (int page = first; page <= last; ++page) {
        if (box) {
            box->SetPage(page);
            box->Pump();
            if ((cancelled = box->Cancelled()))
                break;
        }
        if (page > first)
            printer_.newPage();
        info.currentPage = page;
        DeviceContext dc(painter, attributes);
        job_.OnPrepareDC(dc);
        job_.OnPrint(dc, info);
    }
    if (box && !cancelled) {
        box->Pump();
        cancelled = box->Cancelled();
    }
    if (cancelled)
        printer_.abort();
    // Some devices only find out when the job is handed over at the end.
    const bool handedOver = painter.end() && printer_.printerState() != QPrinter::Error;
    box.reset();
    if (!cancelled && !handedOver)
        AppMessageBoxId(IDP_FAILED_TO_START_PRINT);
    job_.OnEndPrinting(infoDc, info);
    if (cancelled)
        return Result::Cancelled;
    return handedOver ? Result::Printed : Result::Failed;
}
