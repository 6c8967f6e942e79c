// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The single-document application of the framework: one document, one
// frame and one view for the life of the main window; File New, File Open
// and the recent-file list reuse them. Holds the profile.

#include "platform/files/Profile.h"
#include "platform/framework/CommandTarget.h"
#include "platform/framework/DocumentBase.h"
#include "platform/framework/RecentFileList.h"
#include "platform/printing/PrintHost.h"
#include "platform/ui/UiHost.h"

#include <QString>
#include <memory>
#include <optional>

class FrameWindowBase;
class PrinterProbe;
class QPrinter;
class ScrollViewBase;

// A document string has seven parts: window title, document base name, File
// New name, filter name, extension, file type id, file type name. These are
// the parts the program uses.
struct DocTemplateStrings {
    QString windowTitle, filterName, filterExt, regFileTypeName;
    static DocTemplateStrings Parse(const QString& documentString);
};

class SdiAppBase : public CommandTarget, public DocumentHost, public PrintHost {
public:
    SdiAppBase(const QString& documentString, std::unique_ptr<Profile> profile);
    ~SdiAppBase() override;

    RecentFileList& RecentFiles() { return recent_; }
    Profile& GetProfile() { return *profile_; }
    const DocTemplateStrings& TemplateStrings() const { return strings_; }
    DocumentBase* Document() const { return document_; }
    FrameWindowBase* Frame() const { return frame_.get(); }
    ScrollViewBase* View() const { return view_; }

    // New: save-changes question, then a reset document titled IDS_UNTITLED.
    bool OnFileNew();
    // Open: save-changes question, the file dialog, then the file.
    void OnFileOpen();
    // Loads path after the save-changes question (when `ask`); false on
    // failure. A path that is not a regular file is refused before the
    // question and leaves the strip as it was; a file that fails to load
    // leaves an empty untitled strip.
    bool OpenDocumentFile(const QString& path, bool ask = true);
    // Starts with a new, empty document.
    void NewDocument();
    // A dialog for opening documents: titled by string titleId, the
    // document type's filters, starting in the open document's folder.
    FileDialogRequest OpenRequest(int titleId) const;

    // DocumentHost
    void AddToRecentFileList(const QString& path) override;
    void OnDocumentTitleChanged() override;
    QStringList FileFilters() const override;
    QString DefaultExtension() const override;
    void CommitPendingEdits() override;
    void ShowStatus(const QString& text) override;

    // PrintHost. The printer is made on first use, or on a worker thread
    // once StartPrinterProbe was called: making it asks the printing system
    // for its printers, which start-up and editing need not wait for. The
    // paper is asked once and kept; print setup and the print dialog
    // update it from the printer they set up.
    QPrinter& Printer() override;
    DeviceContext::Attributes PaperAttributes() override;
    bool PaperKnown() const override;
    void PrinterChosen(const QPrinter& printer) override;
    // The window says so before it shows: until the printer is made on a
    // worker thread (StartPrinterProbe, once the window is up), the paper
    // is unknown and the view's fit check waits for it, then follows.
    void ExpectPrinterProbe() { probeExpected_ = true; }
    void StartPrinterProbe();
    // How often the printing system was asked for the printer and its
    // paper: once per run.
    int PrinterRequests() const { return printerRequests_; }
    int PreviewPages() override;
    void SetPreviewPages(int pages) override;
    // ID_FILE_PRINT_SETUP: printer and paper for the later jobs.
    bool OnFilePrintSetup();

protected:
    // Creates document, frame and view and ties them together; the derived
    // application says which classes.
    void CreateDocumentFrameView(std::unique_ptr<DocumentBase> document,
                                 std::unique_ptr<FrameWindowBase> frame, ScrollViewBase* view);
    // The same without a frame, for printing from the command line: no
    // window, menus or toolbar are made that nobody would see.
    void CreateDocumentView(std::unique_ptr<DocumentBase> document,
                            std::unique_ptr<ScrollViewBase> view);

private:
    void OnOpenRecentFile(int id);

    DocTemplateStrings strings_;
    std::unique_ptr<Profile> profile_;
    RecentFileList recent_;
    std::unique_ptr<DocumentBase> documentOwner_;
    DocumentBase* document_ = nullptr;
    std::unique_ptr<FrameWindowBase> frame_;
    ScrollViewBase* view_ = nullptr; // owned by the frame, or by viewOwner_
    std::unique_ptr<ScrollViewBase> viewOwner_;
    // Takes the printer from the probe (waiting for it when it is not there yet).
    void TakeProbedPrinter();

    std::unique_ptr<QPrinter> printer_;
    std::optional<DeviceContext::Attributes> paper_;
    std::unique_ptr<PrinterProbe> probe_;
    bool probeTaken_ = false;
    bool probeExpected_ = false;
    int printerRequests_ = 0;
};
