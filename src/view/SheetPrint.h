// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A sheet of strips as a print job: asks about names too long for their
// field before a print from the dialog, offers the sheet's pages in the
// print dialog and lays the sheet out anew for the printer chosen there.

#include "platform/printing/Printable.h"

class StripSheet;

class SheetPrint final : public Printable {
public:
    explicit SheetPrint(StripSheet& sheet) : sheet_(sheet) {}

    bool OnPreparePrinting(PrintInfo& info) override;
    void OnBeginPrinting(DeviceContext& dc, PrintInfo& info) override;
    void OnPrint(DeviceContext& dc, PrintInfo& info) override;
    QString JobTitle() const override;

private:
    StripSheet& sheet_;
};
