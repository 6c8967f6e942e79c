// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The scrolling view of the document/view framework: a plain pixel mapping
// with a total size, page and line steps, scrolling to a position limited
// to the range, and a complete repaint after every scroll step. Child
// widgets of the viewport move with the picture.

#include "platform/base/WinTypes.h"
#include "platform/framework/CommandTarget.h"
#include "platform/framework/DocumentView.h"
#include "platform/printing/PrintJob.h"
#include "platform/printing/Printable.h"

#include <QAbstractScrollArea>

class DeviceContext;
struct PrintInfo;
class PrintHost;

class ScrollViewBase : public QAbstractScrollArea,
                       public CommandTarget,
                       public DocumentView,
                       public Printable {
    Q_OBJECT
public:
    explicit ScrollViewBase(QWidget* parent = nullptr);

    // The default repaints the whole view.
    void OnInitialUpdate() override;
    void OnUpdate() override;

    void SetScrollSizes(SIZE total, SIZE page, SIZE line);
    SIZE GetTotalSize() const { return total_; }
    SIZE GetPageSize() const { return page_; }
    SIZE GetLineSize() const { return line_; }
    POINT GetScrollPosition() const;
    // Scrolls to pt, limited to the scroll range.
    void ScrollToPosition(POINT pt);
    // The client rectangle (the viewport), top-left at (0, 0).
    RECT GetClientRect() const;

    // Prepares a context before drawing: on screen the viewport origin moves
    // by the scroll position; on paper nothing moves.
    void OnPrepareDC(DeviceContext& dc) override;
    // Draws the picture.
    virtual void OnDraw(DeviceContext& dc) = 0;

    // Printing the view: one page, drawn as on screen.
    bool OnPreparePrinting(PrintInfo& info) override { return DoPreparePrinting(info); }
    void OnPrint(DeviceContext& dc, PrintInfo&) override { OnDraw(dc); }
    // The document's title.
    QString JobTitle() const override;

    // The printer and profile the print commands use; without a host they
    // are disabled.
    void SetPrintHost(PrintHost* host) { printHost_ = host; }
    PrintHost* GetPrintHost() const { return printHost_; }
    // Called when another printer or paper was chosen for later jobs.
    virtual void OnPrinterChanged() {}
    // ID_FILE_PRINT (direct false) and printing without the dialog.
    PrintJob::Result DoPrint(bool direct);
    // ID_FILE_PRINT_PREVIEW: the preview in place of the view until it is closed.
    bool DoPrintPreview();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void UpdateScrollBars();
    void OnScrollAction(Qt::Orientation orientation, int action);

    void ClosePrintPreview(bool print);

    PrintHost* printHost_ = nullptr;
    SIZE total_{1, 1};
    SIZE page_{0, 0};
    SIZE line_{0, 0};
};
