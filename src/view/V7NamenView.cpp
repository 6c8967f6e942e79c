// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/V7NamenView.h"

#include "document/V7NamenDoc.h"
#include "paint/TestPagePainter.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/LogFont.h"
#include "platform/printing/PrintHost.h"
#include "platform/printing/PrintInfo.h"
#include "platform/ui/StringTable.h"
#include "resources/Resource.h"
#include "view/NameEdit.h"
#include "view/StripAccessible.h"
#include "view/TestPagePrint.h"

#include <QAccessible>
#include <QPainter>
#include <QTimer>

namespace {

LOGFONTA DescriptionOf(const FontObject& font) {
    LOGFONTA lf{};
    font.GetObject(&lf);
    return lf;
}

} // namespace

CV7NamenView::CV7NamenView(QWidget* parent) : ScrollViewBase(parent), screenScale(ScreenScale()) {
    StripAccessible::Install();
    // By click and by Tab: the keyboard reaches the strip too.
    setFocusPolicy(Qt::StrongFocus);
    // The area around the strip shows the button-face colour.
    viewport()->setBackgroundRole(QPalette::Button);
    viewport()->setAutoFillBackground(true);
    viewport()->setCursor(Qt::ArrowCursor);
    labelFont.CreateDefault();

    customColors.fill(0xFFFFFF);
    OnCommand(ID_FIELD_COLOR, [this] { OnFieldColor(); });
    OnCommand(ID_FIELD_DEFAULT_COLOR, [this] { OnFieldDefaultColor(); });
    OnCommand(ID_FIELD_INSERT, [this] { OnFieldInsert(); });
    OnCommand(ID_FIELD_REMOVE, [this] { OnFieldRemove(); });
    OnCommand(ID_OPTIONS, [this] { OnOptions(); });
    OnCommand(ID_FONT, [this] { OnFont(); });
}

CV7NamenView::~CV7NamenView() = default;

CV7NamenDoc* CV7NamenView::GetDocument() const {
    return static_cast<CV7NamenDoc*>(GetDocumentBase());
}

void CV7NamenView::OnInitialUpdate() {
    ScrollViewBase::OnInitialUpdate();
    AnnounceNames();
    // The padding is added before the truncation.
    const double scale = double(screenScale);
    const SIZE total{LONG(std::trunc(scale * kStripWidth + kScrollPadX)),
                     LONG(std::trunc(scale * kStripHeight + kScrollPadY))};
    const SIZE page{total.cx / 10, total.cy / 10};
    const SIZE line{page.cx / 10, page.cy / 10};
    SetScrollSizes(total, page, line);
    // A loaded file may have brought another font.
    SetEditorFont();
    InvalidateFit();
}

void CV7NamenView::OnUpdate() {
    AnnounceNames();
    // A step may have brought another font.
    SetEditorFont();
    InvalidateFit();
    ScrollViewBase::OnUpdate();
}

void CV7NamenView::AnnounceNames() {
    const CV7NamenDoc* doc = GetDocument();
    if (!doc)
        return;
    for (int i = 0; i < kFieldCount; ++i) {
        const std::string& name = doc->GetName(i);
        if (std::size_t(i) < announced_.size() && announced_[std::size_t(i)] == name)
            continue;
        if (std::size_t(i) < announced_.size() && QAccessible::isActive()) {
            QAccessibleEvent changed(this, QAccessible::NameChanged);
            changed.setChild(i);
            QAccessible::updateAccessibility(&changed);
        }
    }
    announced_ = doc->names;
}

CNameEdit* CV7NamenView::NameEdit() const {
    // Made on first use, not at start: the first paint need not wait for it.
    if (!nameEdit_)
        const_cast<CV7NamenView*>(this)->MakeEditor();
    return nameEdit_;
}

void CV7NamenView::MakeEditor() {
    nameEdit_ = new CNameEdit(viewport());
    nameEdit_->hide();
    nameEdit_->setGeometry(0, 0, 200, 20);
    // Far more than its width takes; it bounds what a paste must measure.
    nameEdit_->setMaxLength(int(StripPainter::kVisibleNameChars));
    nameEdit_->SetKeyHandler([this](int key, int flags) { OnEditKey(key, flags); });
    nameEdit_->SetFocusLostHandler([this] { CommitEdit(); });
    nameEdit_->SetMoveHandler([this](int delta) { OnEditMove(delta); });
    nameEdit_->SetReplacedHandler([this](int count) {
        const CV7NamenDoc* doc = GetDocument();
        if (doc && doc->Host())
            doc->Host()->ShowStatus(count == 1 ? LoadStr(IDS_EDIT_REPLACED_ONE)
                                               : FormatString(IDS_EDIT_REPLACED, {count}));
    });
    SetEditorFont();
}

void CV7NamenView::SetEditorFont() {
    if (nameEdit_)
        nameEdit_->setFont(logfont::ToQFont(DescriptionOf(labelFont)));
}

StripPainter CV7NamenView::Painter() const {
    StripPainter painter(GetDocument(), *this, &printerFont);
    painter.SetPaper(printing);
    painter.SetClientWidth(GetClientRect().right);
    painter.SetFitLongNames(fitLongNames_);
    return painter;
}

void CV7NamenView::GetFieldRect(int index, RECT& rect, const DeviceContext* dc) const {
    Painter().GetFieldRect(index, rect, dc);
}

void CV7NamenView::OnPrepareDC(DeviceContext& dc) {
    ScrollViewBase::OnPrepareDC(dc);
    if (printing)
        Painter().ApplyPrintScale(dc);
}

void CV7NamenView::OnDraw(DeviceContext& dc) {
    StripPainter painter = Painter();
    painter.SetMarks(MarksFor(dc));
    painter.Draw(dc);
}

const std::vector<UnfitName>* CV7NamenView::MarksFor(const DeviceContext& dc) {
    if (printing || dc.IsPrinting())
        return nullptr;
    // The paper is known once asked (the printer's answer comes off this
    // thread): the list is found for this very paint, which then is the
    // only one an edit makes. While the answer is on its way the last list
    // stays, and the answer finds it anew.
    if (!unfitValid_) {
        const PrintHost* host = GetPrintHost();
        if (!host || host->PaperKnown())
            CheckFit(false, false);
    }
    return &unfit_;
}

bool CV7NamenView::OnPreparePrinting(PrintInfo& info) {
    info.SetMaxPage(1);
    // Printing from the dialog asks first about names that will be cut.
    if (!info.direct && !info.preview && info.printer && !ConfirmUnfitNames(*info.printer))
        return false;
    return DoPreparePrinting(info);
}

void CV7NamenView::OnBeginPrinting(DeviceContext& dc, PrintInfo&) {
    printerFont.ScaleForPrinter(dc, labelFont);
    printing = true;
}

void CV7NamenView::OnEndPrinting(DeviceContext&, PrintInfo&) {
    printing = false;
    // The print dialog may have chosen another printer.
    InvalidateFit();
}

PrintJob::Result CV7NamenView::PrintTestPage(QPrinter& printer, bool direct) {
    TestPagePrint page(*this);
    return PrintJob(page, printer, GetPrintHost()).Run(direct);
}

int CV7NamenView::TestBarBMillimetres(const DeviceContext& dc) const {
    return TestPagePainter(*this).BarBMillimetres(dc);
}
