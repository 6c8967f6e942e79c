// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/window/ScrollViewBase.h"

#include "platform/draw/DeviceContext.h"
#include "platform/draw/Screen.h"
#include "platform/printing/PrintInfo.h"
#include "platform/ui/UiHost.h"
#include "resources/Resource.h"

#include <QPainter>
#include <QScrollBar>
#include <algorithm>

ScrollViewBase::ScrollViewBase(QWidget* parent) : QAbstractScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this,
            [this](int action) { OnScrollAction(Qt::Horizontal, action); });
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
            [this](int action) { OnScrollAction(Qt::Vertical, action); });
    auto canPrint = [this](CmdUi& ui) { ui.Enable(printHost_ != nullptr); };
    OnCommand(
        ID_FILE_PRINT, [this] { DoPrint(false); }, canPrint);
    OnCommand(
        ID_FILE_PRINT_DIRECT, [this] { DoPrint(true); }, canPrint);
    OnCommand(
        ID_FILE_PRINT_PREVIEW, [this] { DoPrintPreview(); }, canPrint);
}

void ScrollViewBase::OnInitialUpdate() {
    viewport()->update();
}

void ScrollViewBase::OnUpdate() {
    viewport()->update();
}

void ScrollViewBase::SetScrollSizes(SIZE total, SIZE page, SIZE line) {
    total_ = total;
    page_ = page;
    line_ = line;
    UpdateScrollBars();
    viewport()->update();
}

POINT ScrollViewBase::GetScrollPosition() const {
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void ScrollViewBase::ScrollToPosition(POINT pt) {
    // The scroll bars limit the position to their range.
    horizontalScrollBar()->setValue(pt.x);
    verticalScrollBar()->setValue(pt.y);
}

RECT ScrollViewBase::GetClientRect() const {
    const QSize s = viewport()->size();
    return {0, 0, s.width(), s.height()};
}

void ScrollViewBase::UpdateScrollBars() {
    const QSize client = viewport()->size();
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    // The bar's own page step sizes its thumb to the visible part; page
    // clicks use the view's page step instead (OnScrollAction).
    h->setRange(0, std::max(0, total_.cx - client.width()));
    h->setPageStep(std::max(1, client.width()));
    h->setSingleStep(std::max(1, int(line_.cx)));
    v->setRange(0, std::max(0, total_.cy - client.height()));
    v->setPageStep(std::max(1, client.height()));
    v->setSingleStep(std::max(1, int(line_.cy)));
}

void ScrollViewBase::OnScrollAction(Qt::Orientation orientation, int action) {
    QScrollBar* bar = orientation == Qt::Horizontal ? horizontalScrollBar() : verticalScrollBar();
    const int step = orientation == Qt::Horizontal ? page_.cx : page_.cy;
    if (step <= 0)
        return;
    if (action == QAbstractSlider::SliderPageStepAdd)
        bar->setSliderPosition(std::min(bar->maximum(), bar->value() + step));
    else if (action == QAbstractSlider::SliderPageStepSub)
        bar->setSliderPosition(std::max(bar->minimum(), bar->value() - step));
}

void ScrollViewBase::OnPrepareDC(DeviceContext& dc) {
    if (!dc.IsPrinting()) {
        const POINT pos = GetScrollPosition();
        dc.SetViewportOrg({-pos.x, -pos.y});
    }
}

void ScrollViewBase::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    DeviceContext::Attributes screen;
    screen.dpiX = ScreenDpiX();
    screen.dpiY = ScreenDpiY();
    DeviceContext dc(painter, screen);
    OnPrepareDC(dc);
    OnDraw(dc);
}

void ScrollViewBase::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void ScrollViewBase::scrollContentsBy(int dx, int dy) {
    // Child windows move with the picture; the whole picture is drawn anew.
    const auto children = viewport()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* child : children)
        child->move(child->pos() + QPoint(dx, dy));
    viewport()->update();
}
