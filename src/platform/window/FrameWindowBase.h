// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main frame of the document/view framework: routes every command to
// the view, the document, the frame and the application in that order,
// enables menu items and toolbar buttons by whether anyone handles them,
// takes the accelerator keys before the focused widget sees them (unless
// the widget is a KeyClaimant that keeps the key, as the name editor keeps
// the clipboard keys), and shows status prompts with an idle text in its
// message pane.

#include "platform/framework/CommandTarget.h"

#include <QKeySequence>
#include <QMainWindow>
#include <functional>
#include <vector>

class QAction;
class QKeyEvent;
class QLabel;
class QMenu;
class QToolBar;
class ScrollViewBase;
class DocumentBase;

class FrameWindowBase : public QMainWindow, public CommandTarget {
    Q_OBJECT
public:
    explicit FrameWindowBase(QWidget* parent = nullptr);
    ~FrameWindowBase() override;

    void SetRouting(ScrollViewBase* view, DocumentBase* document, CommandTarget* app);
    // Asked before the window closes; false keeps it open.
    void SetCloseQuery(std::function<bool()> query) { closeQuery_ = std::move(query); }

    // Runs command id through the routing; false when nobody handles it or
    // it is disabled.
    bool ExecuteCommand(int id);
    // The state the routing gives command id (disabled when nobody handles it).
    CmdUi QueryCommand(int id);
    // Brings every menu item and toolbar button up to date.
    void UpdateCommandUi();

    // An action that sends command id, with the status prompt and tooltip
    // from the string table.
    QAction* CommandAction(int id, const QString& text);
    void AddAccelerator(const QKeySequence& key, int id);
    // Control bars whose visibility the Ansicht commands switch.
    void SetControlBars(QToolBar* toolBar, QStatusBar* statusBar);
    void SetMessagePane(QLabel* message, QLabel* capsLock);
    void ShowIdleMessage();
    // What a command did (the prompts of menus and buttons replace it).
    void ShowResultMessage(const QString& text);
    QLabel* MessagePane() const { return messagePane_; }
    void UpdateCapsLockPane();

    struct Accelerator {
        QKeySequence key;
        int id;
    };
    // The print preview takes the place of the view, the toolbar and the
    // menu bar until EndPreviewMode. Meanwhile commands go to `target`
    // before the usual targets, only `keys` act as accelerators, and the
    // message pane's idle text is the preview's.
    void BeginPreviewMode(QWidget* pane, CommandTarget* target, std::vector<Accelerator> keys);
    // Brings the view and the bars back; the pane is deleted later.
    void EndPreviewMode();
    bool InPreviewMode() const { return previewPane_ != nullptr; }
    QWidget* PreviewPane() const { return previewPane_; }
    void SetPreviewMessage(const QString& text);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Keeps menus up to date when they open.
    void WatchMenu(QMenu* menu);

private:
    bool Route(int id, CmdUi* ui);
    static void ExposeKeyBinding(QAction* action, const QKeySequence& key);
    // Whether the focus widget keeps an accelerator key for itself.
    bool FocusClaims(const QKeyEvent& key) const;

    ScrollViewBase* view_ = nullptr;
    DocumentBase* document_ = nullptr;
    CommandTarget* app_ = nullptr;
    std::function<bool()> closeQuery_;
    std::vector<QAction*> actions_;
    std::vector<Accelerator> accelerators_;
    QToolBar* toolBar_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    QLabel* messagePane_ = nullptr;
    QLabel* capsPane_ = nullptr;

    QWidget* previewPane_ = nullptr;
    CommandTarget* previewTarget_ = nullptr;
    std::vector<Accelerator> previewKeys_;
    QString previewMessage_;
    QWidget* hiddenCentral_ = nullptr;
    QSize sizeBeforePreview_;
    bool toolBarWasShown_ = false;
    bool menuBarWasShown_ = false;
};
