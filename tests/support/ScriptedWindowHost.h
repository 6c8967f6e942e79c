// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The scripted UI host with the windows that need widgets: print dialogs,
// popup menus and the program's own dialogs, recorded and answered from a
// script as the boxes and choosers are.

#include "ScriptedUiHost.h"
#include "platform/dialogs/WindowHost.h"

#include <QDialog>
#include <QPoint>
#include <QStringList>

class QPrinter;

class ScriptedWindowHost final : public ScriptedUiHost, public WindowHost {
public:
    // Installs itself as both hosts and uninstalls on destruction.
    ScriptedWindowHost();
    ~ScriptedWindowHost() override;

    std::deque<std::function<bool(QPrinter&)>> printAnswers;
    // Scripts for our own dialogs: each gets the dialog (not shown modally)
    // and answers its result code.
    std::deque<std::function<int(QDialog&)>> dialogScripts;

    // Popup menus: the index of the item to choose, -1 to close without a choice.
    std::deque<int> menuAnswers;
    struct ShownMenu {
        QStringList items;
        QPoint position;
        QStringList statusTips;
    };
    std::vector<ShownMenu> menus;

    int printDialogs = 0;
    int printSetupDialogs = 0;
    int modalDialogs = 0;

    bool PrintDialog(QPrinter& printer, int minPage, int maxPage) override;
    bool PrintSetupDialog(QPrinter& printer) override;
    QAction* TrackPopupMenu(QMenu& menu, const QPoint& globalPos) override;
    int RunModal(QDialog& dialog) override;

private:
    WindowHost* previous_;
};
