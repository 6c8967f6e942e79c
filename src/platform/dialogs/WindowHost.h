// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The modal windows of the program that need widgets: the print dialogs,
// popup menus and the program's own dialogs, and the main window that owns
// them. Installed beside the UI host by the windowed program (the batch
// modes install none: then every such window is cancelled); tests install
// a scripted one.

class QAction;
class QDialog;
class QMenu;
class QPoint;
class QPrinter;
class QWidget;

class WindowHost {
public:
    virtual ~WindowHost() = default;

    // The print dialog offering pages minPage to maxPage; false when cancelled.
    virtual bool PrintDialog(QPrinter& printer, int minPage, int maxPage) = 0;
    // Printer and paper for later jobs; false when cancelled.
    virtual bool PrintSetupDialog(QPrinter& printer) = 0;
    // Shows a popup menu at a screen point until it closes; answers the
    // chosen action or null.
    virtual QAction* TrackPopupMenu(QMenu& menu, const QPoint& globalPos) = 0;
    // Runs one of the program's own dialogs modally and answers its result
    // code (QDialog::Accepted or Rejected).
    virtual int RunModal(QDialog& dialog) = 0;

    // The window that owns dialogs and boxes (may be null).
    void SetMainWindow(QWidget* window) { mainWindow_ = window; }
    QWidget* MainWindow() const { return mainWindow_; }

private:
    QWidget* mainWindow_ = nullptr;
};

// The installed host; installing does not transfer ownership.
WindowHost& GetWindowHost();
void SetWindowHost(WindowHost* host);
