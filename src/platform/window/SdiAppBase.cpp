// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/window/SdiAppBase.h"

#include "platform/dialogs/WindowHost.h"
#include "platform/printing/PrinterDevice.h"
#include "platform/printing/PrinterProbe.h"
#include "platform/ui/StringTable.h"
#include "platform/ui/UiHost.h"
#include "platform/window/FrameWindowBase.h"
#include "platform/window/ScrollViewBase.h"
#include "resources/Resource.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>

DocTemplateStrings DocTemplateStrings::Parse(const QString& documentString) {
    const QStringList p = documentString.split(QLatin1Char('\n'));
    auto at = [&](int i) { return i < p.size() ? p.at(i) : QString(); };
    return {at(0), at(3), at(4), at(6)};
}

SdiAppBase::SdiAppBase(const QString& documentString, std::unique_ptr<Profile> profile)
    : strings_(DocTemplateStrings::Parse(documentString)), profile_(std::move(profile)),
      recent_(*profile_) {
    OnCommand(ID_FILE_NEW, [this] { OnFileNew(); });
    OnCommand(ID_FILE_OPEN, [this] { OnFileOpen(); });
    OnCommand(ID_FILE_PRINT_SETUP, [this] { OnFilePrintSetup(); });
    OnCommandRange(
        ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE4, [this](int id) { OnOpenRecentFile(id); },
        [this](CmdUi& ui) {
            const int index = ui.Id() - ID_FILE_MRU_FILE1;
            ui.Enable(index < recent_.Count());
        });
}

SdiAppBase::~SdiAppBase() {
    // The frame owns the view; the view must go before the document it shows.
    if (document_ && view_)
        document_->RemoveView(view_);
    frame_.reset();
    viewOwner_.reset();
}

void SdiAppBase::CreateDocumentFrameView(std::unique_ptr<DocumentBase> document,
                                         std::unique_ptr<FrameWindowBase> frame,
                                         ScrollViewBase* view) {
    documentOwner_ = std::move(document);
    document_ = documentOwner_.get();
    frame_ = std::move(frame);
    view_ = view;
    view_->SetPrintHost(this);
    document_->SetHost(this);
    document_->AddView(view_);
    frame_->SetRouting(view_, document_, this);
    frame_->SetCloseQuery([this] { return document_->SaveModified(); });
}

void SdiAppBase::CreateDocumentView(std::unique_ptr<DocumentBase> document,
                                    std::unique_ptr<ScrollViewBase> view) {
    documentOwner_ = std::move(document);
    document_ = documentOwner_.get();
    viewOwner_ = std::move(view);
    view_ = viewOwner_.get();
    view_->SetPrintHost(this);
    document_->SetHost(this);
    document_->AddView(view_);
}

bool SdiAppBase::OnFileNew() {
    if (!document_->SaveModified())
        return false;
    NewDocument();
    return true;
}

void SdiAppBase::NewDocument() {
    document_->ResetToNew();
    document_->SetTitle(LoadStr(IDS_UNTITLED));
    view_->OnInitialUpdate();
}

void SdiAppBase::OnFileOpen() {
    if (!document_->SaveModified())
        return;
    const auto path = GetUiHost().ChooseFile(OpenRequest(IDS_OPENFILE));
    if (path)
        OpenDocumentFile(*path, false);
}

FileDialogRequest SdiAppBase::OpenRequest(int titleId) const {
    FileDialogRequest request;
    request.title = LoadStr(titleId);
    request.filters = FileFilters();
    request.initialPath = document_->GetPathName().isEmpty()
                              ? QDir::currentPath()
                              : QFileInfo(document_->GetPathName()).absolutePath();
    return request;
}

bool SdiAppBase::OpenDocumentFile(const QString& path, bool ask) {
    // A path that cannot be a document (missing, a folder, a FIFO, a device)
    // is refused before the save-changes question and the preview close:
    // the open strip stays exactly as it is.
    if (!DocumentBase::CanOpenDocument(path))
        return false;
    if (ask && !document_->SaveModified())
        return false;
    // A file dropped on the window (or handed over otherwise) while the
    // print preview shows ends the preview first: it shows the old strip.
    if (frame_ && frame_->InPreviewMode())
        frame_->ExecuteCommand(ID_PREVIEW_CLOSE);
    const bool ok = document_->OnOpenDocument(path);
    if (ok)
        document_->SetPathName(path);
    view_->OnInitialUpdate();
    return ok;
}

void SdiAppBase::OnOpenRecentFile(int id) {
    const int index = id - ID_FILE_MRU_FILE1;
    if (index < 0 || index >= recent_.Count())
        return;
    const QString path = recent_.Entries().at(index);
    // A file gone away leaves the list; found by path, as a save asked for
    // on the way may have moved the entries.
    if (!OpenDocumentFile(path, true) && !QFileInfo::exists(path)) {
        const int now = int(recent_.Entries().indexOf(path));
        if (now >= 0)
            recent_.Remove(now);
    }
}

void SdiAppBase::AddToRecentFileList(const QString& path) {
    recent_.Add(path);
}

void SdiAppBase::OnDocumentTitleChanged() {
    if (frame_)
        frame_->setWindowTitle(document_->GetTitle() + QLatin1String(" - ") + strings_.windowTitle);
}

QStringList SdiAppBase::FileFilters() const {
    // Shown without their patterns: "Quintara  (.V7N)" and "Alle Dateien (*.*)".
    QString ext = strings_.filterExt;
    const QString pattern = QStringLiteral("*%1 *%2").arg(ext.toUpper(), ext.toLower());
    return {strings_.filterName + QStringLiteral(" (") + pattern + QLatin1Char(')'),
            LoadStr(IDS_ALLFILTER) + QStringLiteral(" (*)")};
}

QString SdiAppBase::DefaultExtension() const {
    QString ext = strings_.filterExt;
    if (ext.startsWith(QLatin1Char('.')))
        ext.remove(0, 1);
    return ext;
}

void SdiAppBase::CommitPendingEdits() {
    if (view_)
        view_->CommitPendingEdit();
}

void SdiAppBase::ShowStatus(const QString& text) {
    if (frame_)
        frame_->ShowResultMessage(text);
}

QPrinter& SdiAppBase::Printer() {
    if (probe_ && !probeTaken_)
        TakeProbedPrinter();
    if (!printer_) {
        ++printerRequests_;
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printerdevice::PrepareForPrinter(*printer_);
    }
    return *printer_;
}

DeviceContext::Attributes SdiAppBase::PaperAttributes() {
    if (probe_ && !probeTaken_)
        TakeProbedPrinter();
    if (!paper_) {
        // Without a printer made yet, the printing system is only asked
        // whether it has a default printer at all.
        if (!printer_) {
            ++printerRequests_;
            if (QPrinterInfo::defaultPrinterName().isEmpty())
                paper_ = printerdevice::PdfAttributes();
        }
        if (!paper_)
            paper_ = printerdevice::PaperAttributes(Printer());
    }
    return *paper_;
}

bool SdiAppBase::PaperKnown() const {
    if (paper_)
        return true;
    if (probe_)
        return probeTaken_ || probe_->Ready();
    return !probeExpected_;
}

void SdiAppBase::PrinterChosen(const QPrinter& printer) {
    if (&printer == printer_.get())
        paper_ = printerdevice::PaperAttributes(printer);
}

void SdiAppBase::StartPrinterProbe() {
    if (printer_ || probe_)
        return;
    ++printerRequests_;
    probe_ = std::make_unique<PrinterProbe>([this] {
        if (probeTaken_)
            return;
        TakeProbedPrinter();
        if (view_)
            view_->OnPrinterChanged();
    });
}

void SdiAppBase::TakeProbedPrinter() {
    probeTaken_ = true;
    DeviceContext::Attributes paper;
    std::unique_ptr<QPrinter> printer = probe_->TakePrinter(paper);
    if (printer_)
        return; // one made meanwhile holds
    printer_ = std::move(printer);
    paper_ = paper;
}

int SdiAppBase::PreviewPages() {
    const int pages =
        profile_->GetInt(QStringLiteral("Settings"), QStringLiteral("PreviewPages"), 1);
    return pages == 2 ? 2 : 1;
}

void SdiAppBase::SetPreviewPages(int pages) {
    if (PreviewPages() == pages)
        return;
    profile_->SetInt(QStringLiteral("Settings"), QStringLiteral("PreviewPages"), pages);
    profile_->Sync();
}

bool SdiAppBase::OnFilePrintSetup() {
    QPrinter& printer = Printer();
    if (!GetWindowHost().PrintSetupDialog(printer))
        return false;
    // Whatever the dialog changed, the page rectangle stays the printable area.
    printerdevice::PrepareForPrinter(printer);
    PrinterChosen(printer);
    if (view_)
        view_->OnPrinterChanged();
    return true;
}
