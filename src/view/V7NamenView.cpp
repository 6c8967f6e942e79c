#include "view/V7NamenView.h"

#include "document/V7NamenDoc.h"

#include <QPainter>

CV7NamenView::CV7NamenView(QWidget* parent) : ScrollViewBase(parent) {
    // The area around the strip shows the button-face colour.
    viewport()->setBackgroundRole(QPalette::Button);
    viewport()->setAutoFillBackground(true);
    viewport()->setCursor(Qt::ArrowCursor);
}

CV7NamenView::~CV7NamenView() = default;

CV7NamenDoc* CV7NamenView::GetDocument() const {
    return static_cast<CV7NamenDoc*>(GetDocumentBase());
}

void CV7NamenView::OnInitialUpdate() {
    ScrollViewBase::OnInitialUpdate();
}

void CV7NamenView::OnDraw(QPainter&) {}
