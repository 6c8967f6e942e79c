// SPDX-License-Identifier: GPL-3.0-or-later
// In-place editing of the names: the editor over a field, the keys that
// move it on, the commit when it loses the focus, and the mouse press that
// opens it.

#include "document/V7NamenDoc.h"
#include "platform/base/CodePage.h"
#include "platform/ui/FormatText.h"
#include "resources/Resource.h"
#include "view/NameEdit.h"
#include "view/V7NamenView.h"

#include <QMouseEvent>

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
    // The whole name as far as it can ever show; the editor scrolls to the caret.
    const std::string_view name =
        doc ? StripPainter::VisiblePart(doc->GetName(index)) : std::string_view();
    editShownText_ = codepage::Cp1252ToUnicode(name);
    NameEdit()->Open(editShownText_);
    // Named for a screen reader as the key it labels.
    NameEdit()->setAccessibleName(FormatString(IDS_KEY_NAME, {index + 1}));
    NameEdit()->show();
    NameEdit()->setFocus(Qt::OtherFocusReason);
    editIndex = index;
}

void CV7NamenView::ScrollFieldIntoView(int index) {
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
}

void CV7NamenView::PositionEdit(int index) {
    ScrollFieldIntoView(index);
    RECT r;
    GetFieldRect(index, r, nullptr);
    const POINT scroll = GetScrollPosition();
    // 12 pixels wider than the field, 3 below its top and 2 above its bottom.
    RECT e{r.left, r.top + 3, r.right + 12, r.bottom - 2};
    OffsetRect(e, -scroll.x, -scroll.y);
    NameEdit()->setGeometry(e.left, e.top, e.right - e.left, e.bottom - e.top);
}

void CV7NamenView::CommitEdit() {
    if (editIndex < 0)
        return;
    const int index = editIndex;
    const QString text = NameEdit()->text();
    CV7NamenDoc* doc = GetDocument();
    if (doc && text != editShownText_)
        doc->SetName(index, EditedName(index, text));
    editIndex = -1;
    NameEdit()->hide();
    // The keyboard stays on the field that was edited.
    SetCurrentField(index);
    viewport()->update();
}

bool CV7NamenView::PendingName(int& index, std::string& name) const {
    if (editIndex < 0 || NameEdit()->text() == editShownText_)
        return false;
    index = editIndex;
    name = EditedName(index, NameEdit()->text());
    return true;
}

std::string CV7NamenView::EditedName(int index, const QString& text) const {
    // What lies beyond the bound of what can show was never in the editor:
    // it stays behind the edited text.
    std::string name = codepage::UnicodeToCp1252(text);
    const CV7NamenDoc* doc = GetDocument();
    const std::string& stored = doc ? doc->GetName(index) : std::string();
    if (stored.size() > StripPainter::kVisibleNameChars)
        name += stored.substr(StripPainter::kVisibleNameChars);
    return name;
}

void CV7NamenView::CommitPendingEdit() {
    if (editIndex < 0)
        return;
    if (NameEdit()->hasFocus())
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
        NameEdit()->setText(editShownText_);
        CommitPendingEdit();
        break;
    default:
        break;
    }
}

void CV7NamenView::resizeEvent(QResizeEvent* event) {
    ScrollViewBase::resizeEvent(event);
    if (editIndex >= 0 && NameEdit()->isVisible())
        PositionEdit(editIndex);
}
