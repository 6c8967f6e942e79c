// SPDX-License-Identifier: GPL-3.0-or-later
// The field menu of the view: a colour of the field's own, back to the
// default shade, insert and remove fields.

#include "document/V7NamenDoc.h"
#include "platform/dialogs/WindowHost.h"
#include "platform/ui/StringTable.h"
#include "platform/ui/UiHost.h"
#include "platform/window/FrameWindowBase.h"
#include "resources/Resource.h"
#include "view/V7NamenView.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QStatusTipEvent>

namespace {
bool InRange(int index) {
    return index >= 0 && index < kFieldCount;
}
} // namespace

void CV7NamenView::OnRButtonDown(QPoint clientPoint) {
    // An open editor commits before anything else.
    setFocus(Qt::MouseFocusReason);
    CommitPendingEdit();
    menuIndex = HitTest(clientPoint);
    if (menuIndex < 0)
        return;
    TrackFieldMenu(clientPoint);
}

void CV7NamenView::OpenFieldMenu(int index) {
    setFocus(Qt::OtherFocusReason);
    CommitPendingEdit();
    if (!InRange(index))
        return;
    ScrollFieldIntoView(index);
    menuIndex = index;
    // At the field, where the right button would open it.
    RECT r;
    GetFieldRect(index, r, nullptr);
    const POINT scroll = GetScrollPosition();
    TrackFieldMenu(
        QPoint(r.left + (r.right - r.left) / 3 - scroll.x, (r.top + r.bottom) / 2 - scroll.y));
}

void CV7NamenView::TrackFieldMenu(QPoint clientPoint) {
    // The main window owns the menu, so its items' prompts reach the status bar.
    auto* frame = qobject_cast<FrameWindowBase*>(window());
    QMenu menu(frame ? static_cast<QWidget*>(frame) : this);
    const struct {
        int text;
        int command;
    } items[] = {
        {IDS_FIELD_COLOR, ID_FIELD_COLOR},
        {IDS_FIELD_DEFAULT_COLOR, ID_FIELD_DEFAULT_COLOR},
        {IDS_FIELD_INSERT, ID_FIELD_INSERT},
        {IDS_FIELD_REMOVE, ID_FIELD_REMOVE},
    };
    for (const auto& item : items) {
        QAction* action = menu.addAction(LoadStr(item.text));
        action->setData(item.command);
        action->setStatusTip(LoadStrPart(item.command, 0));
    }
    if (frame) {
        // A popup opened here has no menu bar above it to pass its prompts on.
        QObject::connect(&menu, &QMenu::hovered, frame, [frame](QAction* action) {
            QStatusTipEvent tip(action->statusTip());
            QCoreApplication::sendEvent(frame, &tip);
        });
    }
    QAction* chosen = GetWindowHost().TrackPopupMenu(menu, viewport()->mapToGlobal(clientPoint));
    const int command = chosen ? chosen->data().toInt() : 0;
    if (frame)
        frame->ShowIdleMessage();
    // The command arrives after the menu has closed, through the routing.
    if (command != 0) {
        if (frame)
            frame->ExecuteCommand(command);
        else
            OnCmdMsg(command, nullptr);
    }
}

void CV7NamenView::OnFieldColor() {
    CV7NamenDoc* doc = GetDocument();
    if (!InRange(menuIndex) || !doc)
        return;
    // A field without a colour of its own starts the chooser on black.
    COLORREF chosen = doc->GetColor(menuIndex);
    // Each change is a step of the document, which redraws the views.
    if (GetUiHost().ChooseColor(chosen, customColors))
        doc->SetColor(menuIndex, chosen);
}

void CV7NamenView::OnFieldDefaultColor() {
    CV7NamenDoc* doc = GetDocument();
    if (InRange(menuIndex) && doc)
        doc->SetColor(menuIndex, 0);
}

void CV7NamenView::OnFieldInsert() {
    CV7NamenDoc* doc = GetDocument();
    if (InRange(menuIndex) && doc)
        doc->InsertField(menuIndex);
}

void CV7NamenView::OnFieldRemove() {
    CV7NamenDoc* doc = GetDocument();
    if (InRange(menuIndex) && doc)
        doc->RemoveField(menuIndex);
}
