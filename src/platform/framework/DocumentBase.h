// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The document side of the document/view framework: path, title, modified
// flag, the undo stack, the views that show the document, the save-changes
// question, and Open/Save/Save As around the document's own Serialize.
//
// Every change of the document is a step on the undo stack, and the
// modified flag follows the stack: back at the state last saved or opened
// the document is unmodified again. New, a successful open and a failed
// load empty the stack.

#include "platform/files/SafeFileSave.h"
#include "platform/framework/CommandTarget.h"

#include <QString>
#include <QUndoStack>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class Archive;
class ByteStream;
class DocumentView;

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
    // Shows text in the status bar, where there is one.
    virtual void ShowStatus(const QString& text) = 0;
    // Told whenever the document may have changed or become clean: a step
    // made, undone or redone, the modified flag set, the stack emptied.
    virtual void OnDocumentChanged() {}
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
    // Forgets the path (the title stays), so that the next Save asks for one.
    void ClearPathName() { pathName_.clear(); }

    // Modified: set by hand, or the undo stack away from its clean state.
    bool IsModified() const { return modified_ || !undoStack_.isClean(); }
    // True marks a change the stack does not hold; false makes the current
    // state the clean one (a save does this).
    void SetModifiedFlag(bool modified = true);

    // Makes the change of `step` (its redo runs now) and keeps it for undo.
    void PushStep(std::unique_ptr<QUndoCommand> step);
    const QUndoStack& UndoStack() const { return undoStack_; }
    // Undo and Redo, as their commands run them.
    void Undo() { undoStack_.undo(); }
    void Redo() { undoStack_.redo(); }

    void AddView(DocumentView* view);
    void RemoveView(DocumentView* view);
    DocumentView* GetFirstView() const { return views_.empty() ? nullptr : views_.front(); }
    // Every view repaints completely.
    void UpdateAllViews();

    // The new-document hook. The framework's part empties the path, clears
    // the modified flag and the undo stack and deletes the contents;
    // documents add their own.
    virtual bool ResetToNew();
    virtual void DeleteContents() {}
    virtual void Serialize(Archive& ar) = 0;

    // Asks IDP_ASK_TO_SAVE for a modified document. True when
    // the data may be dropped (saved, or the user said No).
    bool SaveModified();
    // Save: to the current path, or through Save As when there is none.
    bool DoFileSave();
    // Save As (path empty: ask), optionally taking the new path.
    bool DoSave(const QString& path, bool replace = true);

    // Loads the file into the document; false (after the message) on failure.
    // A path that cannot be opened, or is not a regular file, leaves the
    // document as it was; a file that fails to load resets it to an empty
    // untitled strip. A file with bytes after the document's content (its
    // Serialize says so) was cut short while being saved: it opens with a
    // message and stays modified, so that Save repairs it.
    virtual bool OnOpenDocument(const QString& path);
    // Whether path names a regular file (a symbolic link is followed), with
    // the message when not; lets a caller refuse such a path before it asks
    // or changes anything.
    static bool CanOpenDocument(const QString& path);
    virtual bool OnSaveDocument(const QString& path);
    // Opens another file for reading with Open's checks and messages: a
    // regular file only, opened without waiting. The descriptor, or -1
    // after the message.
    static int OpenForReading(const QString& path);
    // Writes bytes to path through the safe save, with Save's messages;
    // false when it failed, and then an old file stays as it was.
    static bool SaveBytes(const QString& path, const std::string& bytes);

protected:
    // Called by Serialize while loading: the file holds bytes after the
    // document's content.
    void NoteUnreadTail() { unreadTail_ = true; }
    // A start for a file of this document's `content`, at most `limit`
    // bytes, that loading takes as damaged whatever follows it; a rewrite
    // in place puts it first, so that a save cut short never reads as a
    // document. Nothing by default.
    virtual std::vector<std::uint8_t> DamagedHead(const std::vector<std::uint8_t>& content,
                                                  std::size_t limit) const;

private:
    // The safe save with Save's messages: `write` puts the content into the
    // stream; when it fails it answers false with the system's error number.
    static bool WriteSafely(const QString& path,
                            const std::function<bool(ByteStream&, int&)>& write,
                            const SafeFileSave::DamagedHead& damagedHead = {});
    void OnFileSave() { DoFileSave(); }
    void OnFileSaveAs() { DoSave(QString()); }
    // The menu text of Undo or Redo: plain, or naming the step.
    static void UpdateStepUi(CmdUi& ui, bool can, const QString& step, int plain, int named);

    DocumentHost* host_ = nullptr;
    QString pathName_;
    QString title_;
    bool modified_ = false;
    bool unreadTail_ = false;
    QUndoStack undoStack_;
    std::vector<DocumentView*> views_;
};
