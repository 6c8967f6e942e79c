// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/SheetPrint.h"

#include "paint/StripSheet.h"
#include "platform/printing/PrintInfo.h"
#include "platform/printing/PrinterDevice.h"
#include "platform/ui/StringTable.h"
#include "platform/ui/UiHost.h"
#include "resources/Resource.h"

bool SheetPrint::OnPreparePrinting(PrintInfo& info) {
    if (sheet_.StripCount() == 0 || !info.printer)
        return false;
    if (!info.direct && !info.preview) {
        const QStringList unfit = sheet_.UnfitLines(printerdevice::PaperAttributes(*info.printer));
        if (!unfit.isEmpty() &&
            AppMessageBox(FormatString(IDS_SHEET_UNFIT_ASK,
                                       {StripSheet::LineList(unfit, StripSheet::kListedLines)}),
                          MbButtons::YesNo, MbIcon::Question) != MbResult::Yes)
            return false;
    }
    // The dialog offers the pages of the printer set up; the one it chose decides.
    sheet_.LayOut(printerdevice::Attributes(*info.printer));
    info.SetMaxPage(sheet_.PageCount());
    if (!DoPreparePrinting(info))
        return false;
    sheet_.LayOut(printerdevice::Attributes(*info.printer));
    info.SetMaxPage(sheet_.PageCount());
    return true;
}

void SheetPrint::OnBeginPrinting(DeviceContext& dc, PrintInfo&) {
    sheet_.BeginPrinting(dc);
}

void SheetPrint::OnPrint(DeviceContext& dc, PrintInfo& info) {
    sheet_.DrawPage(dc, info.currentPage - 1);
}

QString SheetPrint::JobTitle() const {
    return sheet_.JobTitle();
}
