// SPDX-License-Identifier: GPL-3.0-or-later
// Names too long for their field, as the view keeps track of them: the
// list for the printer (found after a paint, kept until the strip, a
// setting or the printer changes), the count for the status bar, the
// tooltips over the marks, the question before printing and the option
// that sets long names narrower.

#include "document/V7NamenDoc.h"
#include "platform/printing/PrintHost.h"
#include "platform/printing/PrinterDevice.h"
#include "platform/ui/StringTable.h"
#include "platform/ui/UiHost.h"
#include "resources/Resource.h"
#include "view/V7NamenView.h"

#include <QHelpEvent>
#include <QToolTip>
#include <algorithm>

const std::vector<UnfitName>& CV7NamenView::PaperUnfitNames() {
    if (!unfitValid_)
        CheckFit(true);
    return unfit_;
}

void CV7NamenView::CheckFit(bool wait, bool repaint) {
    if (printing)
        return; // a preview is open; its end finds the list anew
    PrintHost* host = GetPrintHost();
    // The printer's answer is on its way; it finds the list anew when it comes.
    if (!wait && host && !host->PaperKnown())
        return;
    std::vector<UnfitName> list =
        UnfitNames(host ? host->PaperAttributes() : printerdevice::PdfAttributes());
    // The marks shown are those of the old list: only other marks repaint.
    if (list != unfit_) {
        const bool sameMarks =
            std::equal(list.begin(), list.end(), unfit_.begin(), unfit_.end(),
                       [](const UnfitName& a, const UnfitName& b) { return a.index == b.index; });
        unfit_ = std::move(list);
        if (repaint && !sameMarks)
            viewport()->update();
    }
    unfitValid_ = true;
    if (int(unfit_.size()) != reportedCount_) {
        reportedCount_ = int(unfit_.size());
        emit unfitCountChanged(reportedCount_);
    }
}

void CV7NamenView::InvalidateFit() {
    // The marks shown stay until the new list is there, so they do not flicker.
    unfitValid_ = false;
    viewport()->update();
}

void CV7NamenView::OnPrinterChanged() {
    InvalidateFit();
}

void CV7NamenView::SetFitLongNames(bool on) {
    if (fitLongNames_ == on)
        return;
    fitLongNames_ = on;
    InvalidateFit();
}

bool CV7NamenView::ConfirmUnfitNames(const QPrinter& printer) const {
    const std::vector<UnfitName> unfit = UnfitNames(printerdevice::PaperAttributes(printer));
    if (unfit.empty())
        return true;
    return AppMessageBox(FormatString(IDS_UNFIT_ASK, {namefit::ListText(unfit)}), MbButtons::YesNo,
                         MbIcon::Question) == MbResult::Yes;
}

bool CV7NamenView::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return ScrollViewBase::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    // Over a field, or over its mark just right of the strip.
    int index = HitTest(help->pos());
    if (index < 0)
        index = HitTest(help->pos() - QPoint(StripPainter::kMarkWidth + 1, 0));
    const auto unfit = std::find_if(unfit_.begin(), unfit_.end(),
                                    [index](const UnfitName& u) { return u.index == index; });
    if (index >= 0 && unfit != unfit_.end() && !printing)
        QToolTip::showText(help->globalPos(), namefit::OverhangText(unfit->overhang), viewport());
    else
        QToolTip::hideText();
    return true;
}
