// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dialogs/WindowHost.h"

namespace {

WindowHost* g_host = nullptr;

// Used where none is installed (the batch modes): every window is cancelled.
class NullWindowHost final : public WindowHost {
public:
    bool PrintDialog(QPrinter&, int, int) override { return false; }
    bool PrintSetupDialog(QPrinter&) override { return false; }
    QAction* TrackPopupMenu(QMenu&, const QPoint&) override { return nullptr; }
    int RunModal(QDialog&) override { return 0; }
};

} // namespace

WindowHost& GetWindowHost() {
    static NullWindowHost nullHost;
    return g_host ? *g_host : nullHost;
}

void SetWindowHost(WindowHost* host) {
    g_host = host;
}
