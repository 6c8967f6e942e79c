// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The UI and window host of the running program: Qt's message box, standard
// choosers and print dialogs, German through Qt's own translations.

#include "platform/dialogs/WindowHost.h"
#include "platform/ui/UiHost.h"

class QtUiHost final : public UiHost, public WindowHost {
public:
    MbResult MessageBox(const QString& text, MbButtons buttons, MbIcon icon) override;
    std::optional<QString> ChooseFile(const FileDialogRequest& request) override;
    QStringList ChooseFiles(const FileDialogRequest& request) override;
    bool ChooseColor(COLORREF& color, CustomColors& custom) override;
    bool ChooseFont(LOGFONTA& font) override;
    bool PrintDialog(QPrinter& printer, int minPage, int maxPage) override;
    bool PrintSetupDialog(QPrinter& printer) override;
    QAction* TrackPopupMenu(QMenu& menu, const QPoint& globalPos) override;
    int RunModal(QDialog& dialog) override;
};
