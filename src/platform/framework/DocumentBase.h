#pragma once
// The document side of the document/view framework: path, title, modified
// flag, the views that show the document, the save-changes question, and
// Open/Save/Save As around the document's own Serialize.

#include "platform/framework/CommandTarget.h"

#include <QString>
#include <vector>

class Archive;
class ScrollViewBase;

// What a document needs from the application that holds it.
class DocumentHost {
public:
    virtual ~DocumentHost() = default;
    virtual void AddToRecentFileList(const QString& path) = 0;
    virtual void OnDocumentTitleChanged() = 0;
    // The filters and default extension of the document type for file dialogs.
    virtual QStringList FileFilters() const = 0;
    virtual QString DefaultExtension() const = 0;
    // Called before the document's data is dropped or written, so that an
    // edit in progress reaches the document first.
    virtual void CommitPendingEdits() = 0;
};

class DocumentBase : public CommandTarget {
public:
    DocumentBase();
    ~DocumentBase() override = default;

    void SetHost(DocumentHost* host) { host_ = host; }
    DocumentHost* Host() const { return host_; }

    const QString& GetPathName() const { return pathName_; }
    // Takes the path and the title (the file name); optionally adds the path
    // to the recent-file list.
    void SetPathName(const QString& path, bool addToRecent = true);
    const QString& GetTitle() const { return title_; }
    void SetTitle(const QString& title);

    bool IsModified() const { return modified_; }
    void SetModifiedFlag(bool modified = true) { modified_ = modified; }

    void AddView(ScrollViewBase* view);
    void RemoveView(ScrollViewBase* view);
    ScrollViewBase* GetFirstView() const { return views_.empty() ? nullptr : views_.front(); }
    // Every view repaints completely.
    void UpdateAllViews();

    // The new-document hook. The framework's part empties the path, clears
    // the modified flag and deletes the contents; documents add their own.
    virtual bool ResetToNew();
    virtual void DeleteContents() {}
    virtual void Serialize(Archive& ar) = 0;

    // Asks "Änderungen in %1 speichern?" for a modified document. True when
    // the data may be dropped (saved, or the user said No).
    bool SaveModified();
    // Save: to the current path, or through Save As when there is none.
    bool DoFileSave();
    // Save As (path empty: ask), optionally taking the new path.
    bool DoSave(const QString& path, bool replace = true);

    // Loads the file into the document; false (after the message) on failure.
    // A path that cannot be opened, or is not a regular file, leaves the
    // document as it was; a file that fails to load resets it to an empty
    // untitled strip.
    virtual bool OnOpenDocument(const QString& path);
    // Whether path names a regular file (a symbolic link is followed), with
    // the message when not; lets a caller refuse such a path before it asks
    // or changes anything.
    static bool CanOpenDocument(const QString& path);
    virtual bool OnSaveDocument(const QString& path);

private:
    void OnFileSave() { DoFileSave(); }
    void OnFileSaveAs() { DoSave(QString()); }

    DocumentHost* host_ = nullptr;
    QString pathName_;
    QString title_;
    bool modified_ = false;
    std::vector<ScrollViewBase*> views_;
};
