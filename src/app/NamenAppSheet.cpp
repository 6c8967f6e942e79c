// SPDX-License-Identifier: GPL-3.0-or-later
// Several strips on one sheet: the command of the File menu and the print
// the batch modes share with it.

#include "app/NamenApp.h"
#include "document/LayoutSettings.h"
#include "paint/StripSheet.h"
#include "platform/printing/PrinterDevice.h"
#include "platform/ui/StringTable.h"
#include "platform/ui/UiHost.h"
#include "resources/Resource.h"
#include "view/SheetPrint.h"
#include "view/V7NamenView.h"

void CNamenApp::OnPrintSheet() {
    CV7NamenView* view = GetView();
    if (!view)
        return;
    const QStringList paths = GetUiHost().ChooseFiles(OpenRequest(IDS_SHEET_TITLE));
    if (paths.isEmpty())
        return;
    bool allRead = true;
    PrintSheet(paths, view->Values(), false, allRead);
}

PrintJob::Result CNamenApp::PrintSheet(const QStringList& paths,
                                       std::optional<LayoutValues> placement, bool direct,
                                       bool& allRead) {
    CV7NamenView* view = GetView();
    StripSheet sheet(placement, view && view->FitLongNames());
    const QStringList failures = sheet.Load(paths);
    allRead = failures.isEmpty();
    if (!allRead) {
        // A box lists the first few; standard error takes them all.
        const QString list = StripSheet::LineList(failures, direct ? int(failures.size())
                                                                   : StripSheet::kListedLines);
        AppMessageBox(FormatString(
            sheet.StripCount() > 0 ? IDS_SHEET_UNREADABLE : IDS_SHEET_NONE_READABLE, {list}));
    }
    if (sheet.StripCount() == 0)
        return PrintJob::Result::Failed;
    if (direct) {
        for (const QString& line : sheet.UnfitLines(printerdevice::PaperAttributes(Printer())))
            AppMessageBox(FormatString(IDS_UNFIT_WARNING, {line}));
    }
    SheetPrint print(sheet);
    return PrintJob(print, Printer(), this).Run(direct);
}
