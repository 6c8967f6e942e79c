// SPDX-License-Identifier: GPL-3.0-or-later
// The settings commands of the view: ID_OPTIONS and ID_FONT.

#include "document/V7NamenDoc.h"
#include "platform/dialogs/WindowHost.h"
#include "platform/ui/UiHost.h"
#include "view/DialogNumber.h"
#include "view/OptionsDlg.h"
#include "view/V7NamenView.h"

void CV7NamenView::OnOptions() {
    CV7NamenDoc* doc = GetDocument();
    if (!doc)
        return;
    COptionsDlg dialog;
    dialog.shadeChoice = shadeIndex;
    // The dialog shows millimetres and centimetres.
    dialog.textOffsetMm = dialognumber::TenthsToUnit(textOffset, 10);
    dialog.leftMarginCm = dialognumber::TenthsToUnit(leftMargin, 100);
    dialog.topMarginCm = dialognumber::TenthsToUnit(topMargin, 100);
    dialog.zoomXPercent = zoomX;
    dialog.zoomYPercent = zoomY;
    dialog.fitLongNames = fitLongNames_;
    if (GetWindowHost().RunModal(dialog) != QDialog::Accepted)
        return;

    // A program-wide option, kept in the profile: no step of the strip.
    if (dialog.fitLongNames != fitLongNames_) {
        SetFitLongNames(dialog.fitLongNames);
        if (fitOptionHandler_)
            fitOptionHandler_(fitLongNames_);
    }

    LayoutValues values;
    values.shadeIndex = dialog.shadeChoice;
    if (!IsShadeIndex(values.shadeIndex)) // no selection
        values.shadeIndex = kDefaultShadeIndex;
    values.textOffset = dialognumber::UnitToTenths(dialog.textOffsetMm, 10);
    values.leftMargin = dialognumber::UnitToTenths(dialog.leftMarginCm, 100);
    values.topMargin = dialognumber::UnitToTenths(dialog.topMarginCm, 100);
    values.zoomX = dialog.zoomXPercent;
    values.zoomY = dialog.zoomYPercent;
    // All six as one step; the document redraws the views.
    doc->ApplySettings(values);
}

void CV7NamenView::OnFont() {
    CV7NamenDoc* doc = GetDocument();
    LOGFONTA chosen{};
    if (doc && labelFont.ChooseLabelFont(chosen))
        doc->SetLabelFont(chosen);
}
