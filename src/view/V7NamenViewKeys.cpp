// SPDX-License-Identifier: GPL-3.0-or-later
// The strip in the keyboard's reach: the current field while the view has
// the focus, the keys that move it, open its editor or its field menu, and
// the focus frame that shows it on screen (never on paper).

#include "document/V7NamenDoc.h"
#include "view/NameEdit.h"
#include "view/V7NamenView.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <algorithm>

namespace {
bool InRange(int index) {
    return index >= 0 && index < kFieldCount;
}
} // namespace

void CV7NamenView::SetCurrentField(int index) {
    index = std::clamp(index, 0, kFieldCount - 1);
    if (index == currentField_)
        return;
    currentField_ = index;
    viewport()->update();
    if (hasFocus() && QAccessible::isActive()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(index);
        QAccessible::updateAccessibility(&focus);
    }
}

int CV7NamenView::FieldsInSight() const {
    RECT r;
    GetFieldRect(0, r, nullptr);
    const int height = std::max<int>(1, r.bottom - r.top);
    return std::max(1, int(GetClientRect().bottom / height));
}

void CV7NamenView::MoveCurrentField(int index) {
    SetCurrentField(index);
    ScrollFieldIntoView(currentField_);
}

void CV7NamenView::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if (mods == Qt::NoModifier) {
        switch (key) {
        case Qt::Key_Up:
            MoveCurrentField(currentField_ - 1);
            return;
        case Qt::Key_Down:
            MoveCurrentField(currentField_ + 1);
            return;
        case Qt::Key_Home:
            MoveCurrentField(0);
            return;
        case Qt::Key_End:
            MoveCurrentField(kFieldCount - 1);
            return;
        case Qt::Key_PageUp:
            MoveCurrentField(currentField_ - FieldsInSight());
            return;
        case Qt::Key_PageDown:
            MoveCurrentField(currentField_ + FieldsInSight());
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_F2:
            BeginEdit(currentField_);
            return;
        case Qt::Key_Menu:
            OpenFieldMenu(currentField_);
            return;
        default:
            break;
        }
    }
    if (mods == Qt::ShiftModifier && key == Qt::Key_F10) {
        OpenFieldMenu(currentField_);
        return;
    }
    ScrollViewBase::keyPressEvent(event);
}

void CV7NamenView::contextMenuEvent(QContextMenuEvent* event) {
    // The right button opens the field menu itself, where it is pressed.
    if (event->reason() == QContextMenuEvent::Keyboard)
        OpenFieldMenu(currentField_);
}

void CV7NamenView::OnEditMove(int delta) {
    const int next = editIndex + delta;
    if (editIndex < 0 || !InRange(next))
        return;
    CommitPendingEdit();
    BeginEdit(next);
}

void CV7NamenView::focusInEvent(QFocusEvent* event) {
    ScrollViewBase::focusInEvent(event);
    viewport()->update();
    if (QAccessible::isActive()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(currentField_);
        QAccessible::updateAccessibility(&focus);
    }
}

void CV7NamenView::focusOutEvent(QFocusEvent* event) {
    ScrollViewBase::focusOutEvent(event);
    viewport()->update();
}

void CV7NamenView::paintEvent(QPaintEvent* event) {
    ScrollViewBase::paintEvent(event);
    // The focus frame lies inside the current field, over the picture; it
    // shows only while the keyboard is on the strip, and never on paper.
    if (!hasFocus() || editIndex >= 0 || printing)
        return;
    RECT r;
    GetFieldRect(currentField_, r, nullptr);
    const POINT scroll = GetScrollPosition();
    QStylePainter painter(viewport());
    QStyleOptionFocusRect option;
    option.initFrom(viewport());
    option.rect = QRect(r.left - scroll.x + 2, r.top - scroll.y + 2, r.right - r.left - 3,
                        r.bottom - r.top - 3);
    option.backgroundColor = palette().color(QPalette::Base);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}
