// Names too long for their field: the measure, the list for the paper, the
// marks and tooltips on screen, the question before printing and the
// narrower setting of long names.

#include "document/V7NamenDoc.h"
#include "platform/base/CodePage.h"
#include "platform/framework/PrintHost.h"
#include "platform/framework/PrinterDevice.h"
#include "resources/Resource.h"
#include "view/V7NamenView.h"

#include <QHelpEvent>
#include <QToolTip>
#include <algorithm>
#include <cmath>

namespace {

// Far outside any device, as the drawing keeps a name's start.
int ClampedStart(long long x) {
    return int(std::clamp<long long>(x, INT32_MIN / 2, INT32_MAX / 2));
}

} // namespace

CV7NamenView::TextRoom CV7NamenView::RoomOn(const DeviceContext& dc, bool paper) const {
    RECT f;
    GetFieldRectOn(0, f, &dc, paper);
    const int indent =
        paper ? ToDevice(textOffset, dc.GetDeviceCaps(LOGPIXELSX)) : ScreenLength(textOffset);
    const POINT left = dc.LPtoDP({ClampedStart(static_cast<long long>(f.left) + indent), 0});
    const POINT right = dc.LPtoDP({ClampedStart(static_cast<long long>(f.right) - indent), 0});
    return {double(left.x), double(right.x)};
}

NameFit CV7NamenView::Measure(const QString& name, const QFont& font, const DeviceContext& dc,
                              bool paper) const {
    const TextRoom room = RoomOn(dc, paper);
    const double over = room.left + dc.TextAdvance(name, font) - room.right;
    if (over <= 1e-9)
        return {};
    // Device pixels to tenths of a millimetre, rounded up: any overhang shows.
    const double tenths =
        paper ? over * 254.0 / dc.GetDeviceCaps(LOGPIXELSX) : over / double(screenScale);
    return {false, std::max(1, int(std::ceil(tenths - 1e-9)))};
}

NameFit CV7NamenView::MeasureName(const QString& name, const FontObject& font,
                                  const DeviceContext& dc) const {
    return Measure(name, dc.DeviceFont(font), dc, dc.IsPrinting());
}

std::vector<UnfitName> CV7NamenView::UnfitNames(const DeviceContext::Attributes& paper) const {
    std::vector<UnfitName> unfit;
    const CV7NamenDoc* doc = GetDocument();
    if (!doc)
        return unfit;
    DeviceContext dc(paper);
    ApplyPrintScale(dc);
    // The printer font as a print job makes it.
    CLabelFont font;
    font.ScaleForPrinter(dc, labelFont);
    const QFont base = dc.DeviceFont(font);
    const TextRoom room = RoomOn(dc, true);
    for (int i = 0; i < kFieldCount; ++i) {
        const QString name = codepage::Cp1252ToUnicode(VisiblePart(doc->GetName(i)));
        if (name.isEmpty())
            continue;
        const QFont used =
            fitLongNames_ ? namefit::NarrowFont(dc, name, base, room.right - room.left).font : base;
        const NameFit fit = Measure(name, used, dc, true);
        if (!fit.fits)
            unfit.push_back({i, name, fit.overhang});
    }
    return unfit;
}

const std::vector<UnfitName>& CV7NamenView::PaperUnfitNames() {
    if (!unfitValid_)
        CheckFit();
    return unfit_;
}

void CV7NamenView::CheckFit() {
    fitCheckPending_ = false;
    if (printing)
        return; // a preview is open; its end finds the list anew
    PrintHost* host = GetPrintHost();
    std::vector<UnfitName> list =
        UnfitNames(host ? host->PaperAttributes() : printerdevice::PdfAttributes());
    // The marks shown are those of the old list: only a different one repaints.
    if (list != unfit_) {
        unfit_ = std::move(list);
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

void CV7NamenView::DrawName(DeviceContext& dc, int i, const RECT& f, int indent, int vc, LONG cell,
                            const TextRoom& room) {
    const std::string_view visible = VisiblePart(GetDocument()->GetName(i));
    const int x = ClampedStart(static_cast<long long>(f.left) + indent);
    if (fitLongNames_ && !visible.empty()) {
        const QString text = codepage::Cp1252ToUnicode(visible);
        const QFont base = dc.DeviceFont(printing ? printerFont : labelFont);
        const namefit::Narrowed narrowed =
            namefit::NarrowFont(dc, text, base, room.right - room.left);
        if (narrowed.font != base) {
            // Centred by its own height, as the label font is.
            dc.TextOut(x, f.top + (cell - dc.TextHeight(narrowed.font)) / 2, text, narrowed.font);
            return;
        }
    }
    dc.TextOut(x, f.top + vc, visible);
}

void CV7NamenView::DrawUnfitMark(DeviceContext& dc, const RECT& f) {
    // Pointing left from the field's right line, between its top and bottom lines.
    const POINT wedge[] = {{f.right - 1, f.top + 1},
                           {f.right - 1, f.bottom - 1},
                           {f.right - 7, (f.top + f.bottom) / 2}};
    dc.FillPolygon(wedge, 3, RGB(255, 0, 0));
}

bool CV7NamenView::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return ScrollViewBase::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const int index = HitTest(help->pos());
    const auto unfit = std::find_if(unfit_.begin(), unfit_.end(),
                                    [index](const UnfitName& u) { return u.index == index; });
    if (index >= 0 && unfit != unfit_.end() && !printing)
        QToolTip::showText(help->globalPos(), namefit::OverhangText(unfit->overhang), viewport());
    else
        QToolTip::hideText();
    return true;
}
