// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedWindowHost.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

ScriptedWindowHost::ScriptedWindowHost() : previous_(&GetWindowHost()) {
    SetWindowHost(this);
}

ScriptedWindowHost::~ScriptedWindowHost() {
    SetWindowHost(previous_);
}

bool ScriptedWindowHost::PrintDialog(QPrinter& printer, int, int) {
    ++printDialogs;
    if (printAnswers.empty())
        return false;
    auto f = printAnswers.front();
    printAnswers.pop_front();
    return f(printer);
}

bool ScriptedWindowHost::PrintSetupDialog(QPrinter& printer) {
    ++printSetupDialogs;
    if (printAnswers.empty())
        return false;
    auto f = printAnswers.front();
    printAnswers.pop_front();
    return f(printer);
}

QAction* ScriptedWindowHost::TrackPopupMenu(QMenu& menu, const QPoint& globalPos) {
    ShownMenu shown;
    shown.position = globalPos;
    const QList<QAction*> actions = menu.actions();
    for (QAction* a : actions) {
        shown.items << a->text();
        shown.statusTips << a->statusTip();
    }
    menus.push_back(shown);
    int index = -1;
    if (!menuAnswers.empty()) {
        index = menuAnswers.front();
        menuAnswers.pop_front();
    }
    return index >= 0 && index < actions.size() ? actions.at(index) : nullptr;
}

int ScriptedWindowHost::RunModal(QDialog& dialog) {
    ++modalDialogs;
    if (dialogScripts.empty()) {
        ADD_FAILURE() << "unscripted modal dialog: " << dialog.windowTitle().toStdString();
        return QDialog::Rejected;
    }
    auto f = dialogScripts.front();
    dialogScripts.pop_front();
    return f(dialog);
}
