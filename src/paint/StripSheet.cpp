// SPDX-License-Identifier: GPL-3.0-or-later
#include "paint/StripSheet.h"

#include "document/LayoutSettings.h"
#include "document/StripGeometry.h"
#include "paint/StripPainter.h"
#include "platform/ui/StringTable.h"
#include "platform/ui/UiHost.h"
#include "resources/Resource.h"

#include <QDir>
#include <algorithm>

namespace {

// What a message says about the file, without its name, which the line
// puts first: a name on a line of its own goes, one inside a sentence
// becomes "die Datei".
QString Reason(QString message, const QString& shown) {
    if (message.startsWith(shown + QLatin1Char('\n')))
        message.remove(0, shown.size() + 1);
    const QString theFile = LoadStr(IDS_SHEET_THE_FILE);
    const bool first = message.startsWith(shown);
    message.replace(shown, theFile);
    if (first && !theFile.isEmpty())
        message[0] = message[0].toUpper();
    return message.replace(QLatin1Char('\n'), QLatin1Char(' ')).trimmed();
}

// "path: why", the same for every reason.
QString FailureLine(const QString& path, const QStringList& messages) {
    const QString shown = QDir::toNativeSeparators(path);
    QStringList reasons;
    for (const QString& message : messages)
        reasons.append(Reason(message, shown));
    QString why = reasons.join(QLatin1Char(' '));
    if (why.isEmpty())
        why = LoadStr(IDP_FAILED_TO_OPEN_DOC);
    return shown + QStringLiteral(": ") + why;
}

RECT Union(const RECT& a, const RECT& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

} // namespace

StripSheet::Strip::Strip() {
    doc.AddView(&view);
    doc.ResetToNew();
}

StripSheet::Strip::~Strip() {
    doc.RemoveView(&view);
}

StripSheet::StripSheet(std::optional<LayoutValues> placement, bool fitLongNames)
    : placement_(placement), fitLongNames_(fitLongNames) {}

StripSheet::~StripSheet() = default;

QStringList StripSheet::Load(const QStringList& paths) {
    QStringList failures;
    QStringList warnings; // files that opened with a message (a damaged end)
    for (const QString& path : paths) {
        auto strip = std::make_unique<Strip>();
        MessageCollector messages;
        if (!strip->doc.OnOpenDocument(path)) {
            failures.append(FailureLine(path, messages.Take()));
            continue;
        }
        warnings.append(messages.Take());
        strip->doc.SetPathName(path, false);
        // Its own indent, shade and font; the sheet's margins and scales.
        SettingsView& view = strip->view;
        if (!placement_)
            placement_ = view.Values();
        view.leftMargin = placement_->leftMargin;
        view.topMargin = placement_->topMargin;
        view.zoomX = placement_->zoomX;
        view.zoomY = placement_->zoomY;
        strips_.push_back(std::move(strip));
    }
    // What could be read is printed; the user still learns what was damaged.
    if (!warnings.isEmpty())
        AppMessageBox(warnings.join(QLatin1Char('\n')));
    return failures;
}

QStringList StripSheet::UnfitLines(const DeviceContext::Attributes& paper) const {
    QStringList lines;
    for (const auto& strip : strips_) {
        StripPainter painter(&strip->doc, strip->view);
        painter.SetFitLongNames(fitLongNames_);
        const std::vector<UnfitName> unfit = painter.UnfitNames(paper);
        if (!unfit.empty())
            lines.append(strip->doc.GetTitle() + QStringLiteral(": ") + namefit::ListText(unfit));
    }
    return lines;
}

QString StripSheet::LineList(const QStringList& lines, int max) {
    if (lines.size() <= max)
        return lines.join(QLatin1Char('\n'));
    return QStringList(lines.mid(0, max)).join(QLatin1Char('\n')) + QLatin1Char('\n') +
           FormatString(IDS_SHEET_MORE, {int(lines.size() - max)});
}

QString StripSheet::JobTitle() const {
    QStringList titles;
    for (const auto& strip : strips_)
        titles.append(strip->doc.GetTitle());
    return LineList(titles, 1).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

void StripSheet::BeginPrinting(const DeviceContext& dc) {
    for (const auto& strip : strips_)
        strip->printerFont.ScaleForPrinter(dc, strip->view.labelFont);
}

const std::vector<SheetPlace>& StripSheet::LayOut(const DeviceContext::Attributes& paper) {
    DeviceContext dc(paper);
    BeginPrinting(dc);
    std::vector<RECT> bounds;
    bounds.reserve(strips_.size());
    frames_.clear();
    footers_.clear();
    for (const auto& strip : strips_) {
        const StripPainter painter(&strip->doc, strip->view, &strip->printerFont);
        const int saved = dc.SaveDC();
        painter.ApplyPrintScale(dc);
        const StripPainter::PaperExtent extent = painter.PrintedExtent(dc);
        dc.RestoreDC(saved);
        bounds.push_back(Union(extent.frame, extent.footer));
        frames_.push_back(extent.frame);
        footers_.push_back(extent.footer);
    }
    const SIZE printable{dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES)};
    const SIZE gap{ToDevice(kGap, dc.GetDeviceCaps(LOGPIXELSX)),
                   ToDevice(kGap, dc.GetDeviceCaps(LOGPIXELSY))};
    places_ = LayOutSheet(bounds, printable, gap);
    return places_;
}

void StripSheet::DrawPage(DeviceContext& dc, int page) const {
    for (std::size_t i = 0; i < strips_.size() && i < places_.size(); ++i) {
        if (places_[i].page != page)
            continue;
        const Strip& strip = *strips_[i];
        StripPainter painter(&strip.doc, strip.view, &strip.printerFont);
        painter.SetPaper(true);
        painter.SetFitLongNames(fitLongNames_);
        const int saved = dc.SaveDC();
        painter.ApplyPrintScale(dc);
        dc.SetViewportOrg(places_[i].offset);
        painter.Draw(dc);
        dc.RestoreDC(saved);
        RECT frame = frames_[i];
        RECT footer = footers_[i];
        OffsetRect(frame, places_[i].offset.x, places_[i].offset.y);
        OffsetRect(footer, places_[i].offset.x, places_[i].offset.y);
        DrawCuttingMarks(dc, frame, footer);
    }
}

void StripSheet::DrawCuttingMarks(DeviceContext& dc, const RECT& frame, const RECT& footer) const {
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
        // Printed smaller, the title comes closer to the frame than a
        // mark is long: the mark keeps the same distance from the title.
        const LONG start = bottom + 1 + distY;
        LONG end = start + lengthY;
        const bool under = footer.right > footer.left && footer.bottom > footer.top &&
                           x >= footer.left && x < footer.right && footer.bottom > start;
        if (under)
            end = std::min(end, footer.top - distY);
        if (end - start >= distY)
            dc.Rectangle({x, start, x + 1, end});
    }
}
