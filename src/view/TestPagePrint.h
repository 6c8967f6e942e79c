// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calibration test page as a print job of the view: printed with the
// view's margins and scales in place of the strip, through the same
// preparation and printing state as the strip's own print.

#include "platform/printing/Printable.h"

class CV7NamenView;

class TestPagePrint final : public Printable {
public:
    explicit TestPagePrint(CV7NamenView& view) : view_(view) {}

    bool OnPreparePrinting(PrintInfo& info) override;
    void OnBeginPrinting(DeviceContext& dc, PrintInfo& info) override;
    void OnPrepareDC(DeviceContext& dc) override;
    void OnPrint(DeviceContext& dc, PrintInfo& info) override;
    void OnEndPrinting(DeviceContext& dc, PrintInfo& info) override;
    QString JobTitle() const override;

private:
    CV7NamenView& view_;
};
