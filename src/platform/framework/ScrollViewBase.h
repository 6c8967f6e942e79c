#pragma once
// The scrolling view of the document/view framework: a plain pixel mapping
// with a total size, page and line steps, scrolling to a position limited
// to the range, and a complete repaint after every scroll step. Child
// widgets of the viewport move with the picture.

#include "platform/base/WinTypes.h"
#include "platform/framework/CommandTarget.h"
#include "platform/framework/PrintJob.h"

#include <QAbstractScrollArea>

class DeviceContext;
struct PrintInfo;
class DocumentBase;
class PrintHost;

class ScrollViewBase : public QAbstractScrollArea, public CommandTarget {
    Q_OBJECT
public:
    explicit ScrollViewBase(QWidget* parent = nullptr);

    DocumentBase* GetDocumentBase() const { return document_; }
    void SetDocument(DocumentBase* document) { document_ = document; }

    // Called for a new or opened document before it is shown; the default
    // repaints the whole view.
    virtual void OnInitialUpdate();
    // Called when the document asks all its views to update.
    virtual void OnUpdate();
    // Commits whatever the user is typing, before a command or before the
    // document's data is dropped. Default: nothing.
    virtual void CommitPendingEdit() {}

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
    virtual void OnPrepareDC(DeviceContext& dc);
    // Draws the picture.
    virtual void OnDraw(DeviceContext& dc) = 0;

    // Print hooks, in the order a job calls them. Preparation answers false
    // to end the command (a cancelled print dialog).
    virtual bool OnPreparePrinting(PrintInfo& info) { return DoPreparePrinting(info); }
    virtual void OnBeginPrinting(DeviceContext&, PrintInfo&) {}
    virtual void OnPrint(DeviceContext& dc, PrintInfo&) { OnDraw(dc); }
    virtual void OnEndPrinting(DeviceContext&, PrintInfo&) {}
    // The job's name in the printer queue, the PDF's title and the printing
    // box's first line: the document's title.
    virtual QString JobTitle() const;
    // The standard preparation: the print dialog (through the UI host) for
    // the job's page range, none for direct printing and the preview.
    bool DoPreparePrinting(PrintInfo& info);

    // The printer and profile the print commands use; without a host they
    // are disabled.
    void SetPrintHost(PrintHost* host) { printHost_ = host; }
    PrintHost* GetPrintHost() const { return printHost_; }
    // Called when another printer or paper was chosen for later jobs.
    virtual void OnPrinterChanged() {}
    // "&Drucken..." (direct false) and printing without the dialog.
    PrintJob::Result DoPrint(bool direct);
    // "Sei&tenansicht": the preview in place of the view until it is closed.
    bool DoPrintPreview();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void UpdateScrollBars();
    void OnScrollAction(Qt::Orientation orientation, int action);

    void ClosePrintPreview(bool print);

    DocumentBase* document_ = nullptr;
    PrintHost* printHost_ = nullptr;
    SIZE total_{1, 1};
    SIZE page_{0, 0};
    SIZE line_{0, 0};
};
