// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: menu bar, toolbar, status bar and the view.

#include "platform/framework/RecentFileList.h"
#include "platform/window/FrameWindowBase.h"

#include <QList>
#include <QSize>
#include <QUrl>

class QAction;
class QLabel;
class QMenu;

class CMainFrame : public FrameWindowBase {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);

    // The frame's first size for a screen of the given resolution and height.
    static QSize InitialSize(int dpiX, int dpiY, int screenHeight);

    // Puts the recent files into the File menu (IDS_MENU_RECENT_FILE while empty).
    void SetRecentFileList(RecentFileList* list) { recent_ = list; }
    void UpdateRecentFileMenu();

    QMenu* FileMenu() const { return fileMenu_; }
    QToolBar* ToolBar() const { return toolBar_; }

    // Files dropped on the window open as by File Open.
    void SetDropHandler(std::function<void(const QString&)> handler) {
        dropHandler_ = std::move(handler);
    }

    // How many names do not fit (IDS_UNFIT_STATUS, IDS_UNFIT_STATUS_ONE) in
    // the status bar, nothing for 0.
    void SetUnfitCount(int count);
    QLabel* UnfitPane() const { return unfitPane_; }

    // Opens the first of the dropped files; false when there is none.
    bool OnDropFiles(const QList<QUrl>& urls);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // A new palette (a dark theme, say) repaints the toolbar's images.
    void changeEvent(QEvent* event) override;

private:
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateAccelerators();

    QMenu* fileMenu_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QLabel* unfitPane_ = nullptr;
    QAction* recentActions_[RecentFileList::kSize] = {};
    RecentFileList* recent_ = nullptr;
    std::function<void(const QString&)> dropHandler_;
};
