// SPDX-License-Identifier: GPL-3.0-or-later
// The print commands of the scrolling view: print, print without the
// dialog, and the print preview shown in the frame.

#include "platform/draw/DeviceContext.h"
#include "platform/framework/DocumentBase.h"
#include "platform/printing/PrintHost.h"
#include "platform/printing/PrintPreviewPane.h"
#include "platform/printing/PrinterDevice.h"
#include "platform/window/FrameWindowBase.h"
#include "platform/window/ScrollViewBase.h"
#include "resources/Resource.h"

#include <QPainter>
#include <QPrinter>

QString ScrollViewBase::JobTitle() const {
    return GetDocumentBase() ? GetDocumentBase()->GetTitle() : QString();
}

PrintJob::Result ScrollViewBase::DoPrint(bool direct) {
    if (!printHost_)
        return PrintJob::Result::Failed;
    PrintJob job(*this, printHost_->Printer(), printHost_);
    return job.Run(direct);
}

bool ScrollViewBase::DoPrintPreview() {
    auto* frame = qobject_cast<FrameWindowBase*>(window());
    if (!printHost_ || !frame || frame->InPreviewMode())
        return false;
    QPrinter& printer = printHost_->Printer();
    auto* pane = new PrintPreviewPane(printer, printHost_->PreviewPages());
    if (!OnPreparePrinting(pane->Info())) {
        delete pane;
        return false;
    }
    DeviceContext infoDc(printerdevice::Attributes(printer));
    OnBeginPrinting(infoDc, pane->Info());

    pane->SetPagePainter([this](QPainter& painter, QPrinter& device, PrintInfo& info) {
        // The preview shows the page as the printer it shows will print it.
        DeviceContext::Attributes attributes = printerdevice::Attributes(device);
        attributes.correction = printHost_->CorrectionFor(device);
        DeviceContext dc(painter, attributes);
        OnPrepareDC(dc);
        OnPrint(dc, info);
    });
    pane->SetCloseHandler([this](bool print) { ClosePrintPreview(print); });
    connect(pane, &PrintPreviewPane::pageDescriptionChanged, frame,
            &FrameWindowBase::SetPreviewMessage);
    std::vector<FrameWindowBase::Accelerator> keys;
    for (const PrintPreviewPane::Key& k : PrintPreviewPane::Keys())
        keys.push_back({k.key, k.id});
    frame->BeginPreviewMode(pane, pane, std::move(keys));
    pane->UpdateControls();
    return true;
}

void ScrollViewBase::ClosePrintPreview(bool print) {
    auto* frame = qobject_cast<FrameWindowBase*>(window());
    auto* pane = frame ? qobject_cast<PrintPreviewPane*>(frame->PreviewPane()) : nullptr;
    if (!pane)
        return;
    QPrinter& printer = printHost_->Printer();
    DeviceContext infoDc(printerdevice::Attributes(printer));
    OnEndPrinting(infoDc, pane->Info());
    printHost_->SetPreviewPages(pane->PagesShown());
    frame->EndPreviewMode();
    if (print)
        frame->ExecuteCommand(ID_FILE_PRINT);
}
