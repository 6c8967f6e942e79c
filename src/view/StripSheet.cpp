#include "view/StripSheet.h"

#include "document/LayoutSettings.h"
#include "document/V7NamenDoc.h"
#include "platform/draw/DeviceContext.h"
#include "platform/framework/PrintInfo.h"
#include "platform/framework/PrinterDevice.h"
#include "platform/ui/StringTable.h"
#include "platform/ui/UiHost.h"
#include "resources/Resource.h"
#include "view/V7NamenView.h"

#include <QDir>
#include <algorithm>

namespace {

// "path: why", or the message alone when it names the file itself.
QString FailureLine(const QString& path, const QStringList& messages) {
    const QString shown = QDir::toNativeSeparators(path);
    QString why = messages.join(QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (why.isEmpty())
        why = LoadStr(IDP_FAILED_TO_OPEN_DOC);
    return why.contains(shown) ? why : shown + QStringLiteral(": ") + why;
}

RECT Union(const RECT& a, const RECT& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

} // namespace

CStripSheet::Strip::Strip()
    : doc(std::make_unique<CV7NamenDoc>()), view(std::make_unique<CV7NamenView>()) {
    doc->AddView(view.get());
    doc->ResetToNew();
}

CStripSheet::Strip::~Strip() = default;

CStripSheet::CStripSheet(std::optional<LayoutValues> placement, bool fitLongNames)
    : placement_(placement), fitLongNames_(fitLongNames) {}

CStripSheet::~CStripSheet() = default;

QStringList CStripSheet::Load(const QStringList& paths) {
    QStringList failures;
    for (const QString& path : paths) {
        auto strip = std::make_unique<Strip>();
        MessageCollector messages;
        if (!strip->doc->OnOpenDocument(path)) {
            failures.append(FailureLine(path, messages.Take()));
            continue;
        }
        strip->doc->SetPathName(path, false);
        // Its own indent, shade and font; the sheet's margins and scales.
        CV7NamenView& view = *strip->view;
        if (!placement_)
            placement_ = LayoutValues::Of(view);
        view.leftMargin = placement_->leftMargin;
        view.topMargin = placement_->topMargin;
        view.zoomX = placement_->zoomX;
        view.zoomY = placement_->zoomY;
        view.SetFitLongNames(fitLongNames_);
        strips_.push_back(std::move(strip));
    }
    return failures;
}

QStringList CStripSheet::UnfitLines(const DeviceContext::Attributes& paper) const {
    QStringList lines;
    for (const auto& strip : strips_) {
        const std::vector<UnfitName> unfit = strip->view->UnfitNames(paper);
        if (!unfit.empty())
            lines.append(strip->doc->GetTitle() + QStringLiteral(": ") + namefit::ListText(unfit));
    }
    return lines;
}

QString CStripSheet::LineList(const QStringList& lines, int max) {
    if (lines.size() <= max)
        return lines.join(QLatin1Char('\n'));
    return QStringList(lines.mid(0, max)).join(QLatin1Char('\n')) + QLatin1Char('\n') +
           FormatString(IDS_SHEET_MORE, {int(lines.size() - max)});
}

QString CStripSheet::JobTitle() const {
    QStringList titles;
    for (const auto& strip : strips_)
        titles.append(strip->doc->GetTitle());
    return LineList(titles, 1).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

void CStripSheet::BeginStrips(DeviceContext& dc) {
    PrintInfo printInfo;
    for (const auto& strip : strips_)
        strip->view->OnBeginPrinting(dc, printInfo);
}

const std::vector<SheetPlace>& CStripSheet::LayOut(const DeviceContext::Attributes& paper) {
    DeviceContext dc(paper);
    BeginStrips(dc);
    std::vector<RECT> bounds;
    bounds.reserve(strips_.size());
    frames_.clear();
    for (const auto& strip : strips_) {
        const int saved = dc.SaveDC();
        strip->view->OnPrepareDC(dc);
        const CV7NamenView::PaperExtent extent = strip->view->PrintedExtent(dc);
        dc.RestoreDC(saved);
        bounds.push_back(Union(extent.frame, extent.footer));
        frames_.push_back(extent.frame);
    }
    const SIZE printable{dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES)};
    const SIZE gap{ToDevice(kGap, dc.GetDeviceCaps(LOGPIXELSX)),
                   ToDevice(kGap, dc.GetDeviceCaps(LOGPIXELSY))};
    places_ = LayOutSheet(bounds, printable, gap);
    return places_;
}

bool CStripSheet::OnPreparePrinting(PrintInfo& info) {
    if (strips_.empty() || !info.printer)
        return false;
    if (!info.direct && !info.preview) {
        const QStringList unfit = UnfitLines(printerdevice::PaperAttributes(*info.printer));
        if (!unfit.isEmpty() &&
            AppMessageBox(FormatString(IDS_SHEET_UNFIT_ASK, {LineList(unfit, kListedLines)}),
                          MbButtons::YesNo, MbIcon::Question) != MbResult::Yes)
            return false;
    }
    // The dialog offers the pages of the printer set up; the one it chose decides.
    info.SetMaxPage(SheetPageCount(LayOut(printerdevice::Attributes(*info.printer))));
    if (!DoPreparePrinting(info))
        return false;
    info.SetMaxPage(SheetPageCount(LayOut(printerdevice::Attributes(*info.printer))));
    return true;
}

void CStripSheet::OnBeginPrinting(DeviceContext& dc, PrintInfo&) {
    BeginStrips(dc);
}

void CStripSheet::OnPrint(DeviceContext& dc, PrintInfo& info) {
    const int page = info.currentPage - 1;
    for (std::size_t i = 0; i < strips_.size() && i < places_.size(); ++i) {
        if (places_[i].page != page)
            continue;
        CV7NamenView& view = *strips_[i]->view;
        const int saved = dc.SaveDC();
        view.OnPrepareDC(dc);
        dc.SetViewportOrg(places_[i].offset);
        view.OnDraw(dc);
        dc.RestoreDC(saved);
        RECT frame = frames_[i];
        OffsetRect(frame, places_[i].offset.x, places_[i].offset.y);
        DrawCuttingMarks(dc, frame);
    }
}

void CStripSheet::OnEndPrinting(DeviceContext& dc, PrintInfo& info) {
    for (const auto& strip : strips_)
        strip->view->OnEndPrinting(dc, info);
}

void CStripSheet::DrawCuttingMarks(DeviceContext& dc, const RECT& frame) const {
    const LONG distX = ToDevice(kMarkDistance, dc.GetDeviceCaps(LOGPIXELSX));
    const LONG distY = ToDevice(kMarkDistance, dc.GetDeviceCaps(LOGPIXELSY));
    const LONG lengthX = ToDevice(kMarkLength, dc.GetDeviceCaps(LOGPIXELSX));
    const LONG lengthY = ToDevice(kMarkLength, dc.GetDeviceCaps(LOGPIXELSY));
    // The frame's outer lines: left and top column/row, right and bottom
    // ones (right and bottom are exclusive).
    const LONG right = frame.right - 1;
    const LONG bottom = frame.bottom - 1;
    for (const LONG y : {frame.top, bottom}) {
        dc.Rectangle({frame.left - distX - lengthX, y, frame.left - distX, y + 1});
        dc.Rectangle({right + 1 + distX, y, right + 1 + distX + lengthX, y + 1});
    }
    for (const LONG x : {frame.left, right}) {
        dc.Rectangle({x, frame.top - distY - lengthY, x + 1, frame.top - distY});
        dc.Rectangle({x, bottom + 1 + distY, x + 1, bottom + 1 + distY + lengthY});
    }
}
