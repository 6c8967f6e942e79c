// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/TestPagePrint.h"

#include "paint/TestPagePainter.h"
#include "platform/printing/PrintInfo.h"
#include "platform/printing/Printable.h"
#include "view/V7NamenView.h"

bool TestPagePrint::OnPreparePrinting(PrintInfo& info) {
    // One page; it shows no names, so nothing is asked about them.
    info.SetMaxPage(1);
    return DoPreparePrinting(info);
}

void TestPagePrint::OnBeginPrinting(DeviceContext& dc, PrintInfo& info) {
    view_.OnBeginPrinting(dc, info);
}

void TestPagePrint::OnPrepareDC(DeviceContext& dc) {
    view_.OnPrepareDC(dc);
}

void TestPagePrint::OnPrint(DeviceContext& dc, PrintInfo&) {
    TestPagePainter(view_).Draw(dc);
}

void TestPagePrint::OnEndPrinting(DeviceContext& dc, PrintInfo& info) {
    view_.OnEndPrinting(dc, info);
}

QString TestPagePrint::JobTitle() const {
    return view_.JobTitle();
}
