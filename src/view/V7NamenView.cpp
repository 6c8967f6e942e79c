#include "view/V7NamenView.h"

#include "document/V7NamenDoc.h"
#include "platform/base/CodePage.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/LogFont.h"
#include "platform/framework/PrintInfo.h"
#include "resources/Resource.h"
#include "view/NameEdit.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

namespace {

LOGFONTA DescriptionOf(const FontObject& font) {
    LOGFONTA lf{};
    font.GetObject(&lf);
    return lf;
}

// 0.39603960514068604: a hair above 40/101, about 100.6 pixels per inch.
float ScreenScale() {
    return std::bit_cast<float>(std::uint32_t(0x3ECAC5B4));
}

LONG ClampToLong(std::int64_t v) {
    // Far outside any device, but still safe to add and subtract.
    constexpr std::int64_t kLimit = std::int64_t(1) << 28;
    return LONG(std::clamp(v, -kLimit, kLimit));
}

} // namespace

CV7NamenView::CV7NamenView(QWidget* parent)
    : ScrollViewBase(parent), screenScale(ScreenScale()), nameEdit_(new CNameEdit(viewport())) {
    setFocusPolicy(Qt::ClickFocus);
    // The area around the strip shows the button-face colour.
    viewport()->setBackgroundRole(QPalette::Button);
    viewport()->setAutoFillBackground(true);
    viewport()->setCursor(Qt::ArrowCursor);
    // The default label font: a cell height of the field height less 2.6 mm.
    labelFont.Create("Arial", ScreenLength(kFieldHeight - 26), 0, 0);

    nameEdit_->hide();
    nameEdit_->setGeometry(0, 0, 200, 20);
    // Far more than its width takes; it bounds what a paste must measure.
    nameEdit_->setMaxLength(int(kVisibleNameChars));
    nameEdit_->SetKeyHandler([this](int key, int flags) { OnEditKey(key, flags); });
    nameEdit_->SetFocusLostHandler([this] { CommitEdit(); });
    SetEditorFont();

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

int CV7NamenView::ScreenLength(double tenthsMm) const {
    return int(std::trunc(tenthsMm * double(screenScale)));
}

void CV7NamenView::OnInitialUpdate() {
    ScrollViewBase::OnInitialUpdate();
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

void CV7NamenView::SetEditorFont() {
    nameEdit_->setFont(logfont::ToQFont(DescriptionOf(labelFont)));
}

int CV7NamenView::HitTest(QPoint clientPoint) const {
    const POINT scroll = GetScrollPosition();
    const POINT q{clientPoint.x() + scroll.x, clientPoint.y() + scroll.y};
    for (int i = 0; i < kFieldCount; ++i) {
        RECT r;
        GetFieldRect(i, r, nullptr);
        if (PtInRect(r, q))
            return i;
    }
    return -1;
}

void CV7NamenView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        OnRButtonDown(event->position().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton) {
        ScrollViewBase::mousePressEvent(event);
        return;
    }
    // Taking the focus commits an open field before anything else happens.
    setFocus(Qt::MouseFocusReason);
    CommitPendingEdit();
    const int index = HitTest(event->position().toPoint());
    if (index >= 0)
        BeginEdit(index);
}

void CV7NamenView::BeginEdit(int index) {
    PositionEdit(index);
    const CV7NamenDoc* doc = GetDocument();
    // The editor does not scroll: it shows the beginning of the name, as
    // much as fits its width.
    const std::string_view name = doc ? VisiblePart(doc->GetName(index)) : std::string_view();
    editShownText_ = nameEdit_->FittingPrefix(codepage::Cp1252ToUnicode(name));
    nameEdit_->setText(editShownText_);
    nameEdit_->show();
    nameEdit_->setFocus(Qt::OtherFocusReason);
    editIndex = index;
}

void CV7NamenView::PositionEdit(int index) {
    RECT r;
    GetFieldRect(index, r, nullptr);
    POINT scroll = GetScrollPosition();
    const RECT client = GetClientRect();
    const LONG top = r.top - scroll.y;
    const LONG bottom = r.bottom - scroll.y;
    if (bottom > client.bottom || top < 0)
        ScrollToPosition({0, r.top - 10});
    scroll = GetScrollPosition();
    if (scroll.x != 0)
        ScrollToPosition({0, scroll.y});
    scroll = GetScrollPosition();
    // 12 pixels wider than the field, 3 below its top and 2 above its bottom.
    RECT e{r.left, r.top + 3, r.right + 12, r.bottom - 2};
    OffsetRect(e, -scroll.x, -scroll.y);
    nameEdit_->setGeometry(e.left, e.top, e.right - e.left, e.bottom - e.top);
}

void CV7NamenView::CommitEdit() {
    if (editIndex < 0)
        return;
    const int index = editIndex;
    const QString text = nameEdit_->text();
    CV7NamenDoc* doc = GetDocument();
    if (doc && text != editShownText_)
        doc->SetName(index, codepage::UnicodeToCp1252(text));
    editIndex = -1;
    nameEdit_->hide();
    viewport()->update();
}

void CV7NamenView::CommitPendingEdit() {
    if (editIndex < 0)
        return;
    if (nameEdit_->hasFocus())
        setFocus(Qt::OtherFocusReason); // the editor's focus loss commits
    CommitEdit(); // also where the window is not active and no focus event comes
}

void CV7NamenView::OnEditKey(int key, int) {
    const int i = editIndex;
    if (i < 0)
        return;
    switch (key) {
    case 9: {
        const int next = i + 1 >= kFieldCount ? 0 : i + 1;
        CommitPendingEdit();
        BeginEdit(next);
        break;
    }
    case 13:
        CommitPendingEdit();
        break;
    case 27:
        nameEdit_->setText(editShownText_);
        CommitPendingEdit();
        break;
    default:
        break;
    }
}

void CV7NamenView::resizeEvent(QResizeEvent* event) {
    ScrollViewBase::resizeEvent(event);
    if (editIndex >= 0 && nameEdit_->isVisible())
        PositionEdit(editIndex);
}

void CV7NamenView::GetFieldRect(int index, RECT& rect, const DeviceContext* dc) const {
    GetFieldRectOn(index, rect, dc, printing);
}

void CV7NamenView::GetFieldRectOn(int index, RECT& rect, const DeviceContext* dc,
                                  bool paper) const {
    if (paper && dc)
        GetPaperFieldRect(index, rect, *dc);
    else
        GetScreenFieldRect(index, rect);
}

void CV7NamenView::GetScreenFieldRect(int index, RECT& rect) const {
    const double scale = double(screenScale);
    const std::int64_t i = index;
    rect.left = 0;
    rect.top =
        ClampToLong(std::int64_t(std::trunc(double(i * kFieldHeight + kFirstFieldTop) * scale)));
    rect.right = ClampToLong(std::int64_t(std::trunc(scale * kStripWidth)));
    rect.bottom = ClampToLong(
        std::int64_t(std::trunc(double((i + 1) * kFieldHeight + kFirstFieldTop) * scale)));
    const RECT client = GetClientRect();
    int offset = (client.right - client.left - rect.right) / 2;
    if (offset < 0)
        offset = 0;
    OffsetRect(rect, offset, 10);
}

void CV7NamenView::GetPaperFieldRect(int index, RECT& rect, const DeviceContext& dc) const {
    const int dpiX = dc.GetDeviceCaps(LOGPIXELSX);
    const int dpiY = dc.GetDeviceCaps(LOGPIXELSY);
    const std::int64_t i = std::clamp<std::int64_t>(index, -100000, 100000);
    rect.left = 0;
    rect.top = ToDevice(std::int32_t(i * kFieldHeight + kFirstFieldTop), dpiY);
    rect.right = rect.left + ToDevice(kStripWidth, dpiX);
    rect.bottom = ToDevice(std::int32_t((i + 1) * kFieldHeight + kFirstFieldTop), dpiY);

    POINT offset{};
    if (dc.Escape(GETPRINTINGOFFSET, &offset) <= 0)
        offset = {0, 0};
    // The margins are divided by the scale after the multiplication by 100,
    // so that they come out at true size once the context scales the picture.
    const std::int64_t dx =
        std::int64_t(ToDevice(leftMargin, dpiX)) * 100 / UsableZoom(zoomX) - offset.x;
    const std::int64_t dy =
        std::int64_t(ToDevice(topMargin, dpiY)) * 100 / UsableZoom(zoomY) - offset.y;
    OffsetRect(rect, ClampToLong(dx), ClampToLong(dy));
}

void CV7NamenView::OnPrepareDC(DeviceContext& dc) {
    ScrollViewBase::OnPrepareDC(dc);
    if (printing)
        ApplyPrintScale(dc);
}

void CV7NamenView::ApplyPrintScale(DeviceContext& dc) const {
    // 100 logical units are zoomX (zoomY) device pixels: the print scale.
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt({100, 100});
    dc.SetViewportExt({UsableZoom(zoomX), UsableZoom(zoomY)});
}

void CV7NamenView::OnDraw(DeviceContext& dc) {
    if (printing && testPage) {
        DrawTestPage(dc);
        return;
    }
    const CV7NamenDoc* doc = GetDocument();
    RECT r;
    GetFieldRect(0, r, &dc);
    const int saved = dc.SaveDC();

    const FontObject* oldFont = dc.SelectFont(printing ? &printerFont : &labelFont);
    TEXTMETRIC tm;
    dc.GetTextMetrics(tm);
    // One vertical text offset for all fields, from field 0.
    const LONG cell = r.bottom - r.top;
    const int vc = (cell - tm.tmHeight) / 2;

    const int dpiX = dc.GetDeviceCaps(LOGPIXELSX);
    const int dpiY = dc.GetDeviceCaps(LOGPIXELSY);
    int indent;
    if (printing) {
        r = PaperFrame(dc);
        indent = ToDevice(textOffset, dpiX);
    } else {
        r.top -= ScreenLength(kFirstFieldTop);
        r.bottom = r.top + ScreenLength(kStripHeight);
        indent = ScreenLength(textOffset);
    }
    // The outer frame in the context's own pen and brush.
    dc.Rectangle(r);
    dc.IntersectClipRect(r);

    const Brush shade(ShadeColor(shadeIndex));
    const Brush white(0xFFFFFF);
    const Brush* oldBrush = dc.SelectBrush(&shade);
    dc.SetBkMode(TRANSPARENT);

    const TextRoom room = fitLongNames_ ? RoomOn(dc, printing) : TextRoom{};
    // Marks for names too long for the paper, on screen only.
    const std::vector<UnfitName>* marks = nullptr;
    if (!printing && !dc.IsPrinting()) {
        if (unfitValid_)
            marks = &unfit_;
        else if (!fitCheckPending_) {
            // After this paint: finding the printer may ask the printing system.
            fitCheckPending_ = true;
            QTimer::singleShot(0, this, [this] { CheckFit(); });
        }
    }

    RECT f{};
    for (int i = 0; i < kFieldCount; ++i) {
        GetFieldRect(i, f, &dc);
        f.bottom += 1; // neighbouring fields share one line
        const COLORREF own =
            doc && std::size_t(i) < doc->colors.size() ? doc->colors[std::size_t(i)] & 0xFFFFFF : 0;
        if (own != 0) {
            const Brush fieldBrush(own);
            const Brush* previous = dc.SelectBrush(&fieldBrush);
            dc.Rectangle(f);
            dc.SelectBrush(previous);
        } else {
            dc.SelectBrush(i % 2 ? &shade : &white);
            dc.Rectangle(f);
        }
        if (doc)
            DrawName(dc, i, f, indent, vc, cell, room);
        if (marks && std::any_of(marks->begin(), marks->end(),
                                 [i](const UnfitName& u) { return u.index == i; }))
            DrawUnfitMark(dc, f);
    }
    dc.SelectNoClip();

    if (printing) {
        // Title and date below the strip, outside the clip.
        int y = f.bottom + ToDevice(kFooterGap, dpiY);
        for (const QString& line : FooterLines()) {
            dc.TextOut(f.left, y, line);
            y += tm.tmHeight;
        }
    }

    dc.SelectBrush(oldBrush);
    dc.SelectFont(oldFont);
    dc.RestoreDC(saved);
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
