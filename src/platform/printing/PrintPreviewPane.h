// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The print preview inside the main window: a bar of buttons (print,
// next, previous, one or two pages, zoom in, zoom out, close:
// IDS_PREVIEW_PRINT to IDS_PREVIEW_CLOSE) above the pages as the printer would get
// them. The pane is a command target: the frame routes the bar's commands
// and the preview keys (Page Down, Page Up, Esc) to it while it is shown.
// Zooming in shows the top-left corner of what the page holds at the top
// left of the window, wherever on the paper that is.

#include "platform/framework/CommandTarget.h"
#include "platform/printing/PrintInfo.h"

#include <QKeySequence>
#include <QWidget>
#include <functional>
#include <map>
#include <vector>

class QPainter;
class QPrinter;
class QPrintPreviewWidget;
class QPushButton;
class QTimer;

class PrintPreviewPane : public QWidget, public CommandTarget {
    Q_OBJECT
public:
    PrintPreviewPane(QPrinter& printer, int pagesShown, QWidget* parent = nullptr);
    ~PrintPreviewPane() override;

    // The job's data; the view's preparation fills in the page range.
    PrintInfo& Info() { return info_; }
    // Draws info.currentPage with the painter on the preview's printer.
    using PagePainter = std::function<void(QPainter&, QPrinter&, PrintInfo&)>;
    void SetPagePainter(PagePainter painter) { pagePainter_ = std::move(painter); }
    // Called when the preview ends; true when printing was asked for.
    void SetCloseHandler(std::function<void(bool print)> handler) {
        closeHandler_ = std::move(handler);
    }

    struct Key {
        QKeySequence key;
        int id;
    };
    // The preview's own keys: Page Down, Page Up, Esc.
    static std::vector<Key> Keys();

    int PagesShown() const { return pagesShown_; }
    // The first page shown.
    int CurrentPage() const;
    // IDS_PREVIEWPAGEDESC for the page or pages shown.
    QString PageDescription() const;
    QPushButton* Button(int id) const;
    QPrintPreviewWidget* Preview() const { return preview_; }
    // Brings the buttons' state and text and the status text up to date.
    void UpdateControls();

signals:
    // The status text for the frame's message pane.
    void pageDescriptionChanged(const QString& text);

private:
    void AddButton(int id, const QString& text);
    void RunCommand(int id);
    void PaintPages(QPrinter* printer);
    void ShowPage(int documentPage);
    void ApplyZoom();
    void ShowContentCorner();
    void ApplyViewMode();
    void Close(bool print);
    void ScheduleMidnightRepaint();
    int LastPage() const;

    PrintInfo info_;
    QWidget* bar_ = nullptr;
    QPrintPreviewWidget* preview_;
    std::map<int, QPushButton*> buttons_;
    PagePainter pagePainter_;
    std::function<void(bool)> closeHandler_;
    QTimer* midnight_;
    int pagesShown_;
    int zoomLevel_ = 0; // 0: whole page, then two steps larger
    double fitFactor_ = 1.0;
    int currentPage_ = 0; // the first page shown; 0 until the range is known
    bool closed_ = false;
};
