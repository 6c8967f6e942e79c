// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The UI host of the batch modes (printing from the command line): every
// message goes to standard error as "Quintara: <text>", every chooser is
// cancelled and every question answered with its cautious choice.

#include "platform/ui/UiHost.h"

class ConsoleUiHost final : public UiHost {
public:
    MbResult MessageBox(const QString& text, MbButtons buttons, MbIcon icon) override;
    std::optional<QString> ChooseFile(const FileDialogRequest&) override { return std::nullopt; }
    bool ChooseColor(COLORREF&, CustomColors&) override { return false; }
    bool ChooseFont(LOGFONTA&) override { return false; }
    bool ShowsProgress() const override { return false; }
};
