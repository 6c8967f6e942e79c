// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/ApparatusReceiver.h"

#include "device/ReceiveDlg.h"
#include "platform/dialogs/WindowHost.h"

std::optional<std::vector<std::string>> ApparatusReceiver::ReceiveNames() {
    CReceiveDlg dialog;
    if (GetWindowHost().RunModal(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.ReceivedNames();
}
