// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a document knows of the views that show it: each is told when the
// document was opened or made new, when it changed, and when whatever the
// user is typing must reach the document first. A view need not be a
// widget; a document read only to be printed has a view that shows nothing.

class DocumentBase;

class DocumentView {
public:
    virtual ~DocumentView() = default;

    DocumentBase* GetDocumentBase() const { return document_; }
    void SetDocument(DocumentBase* document) { document_ = document; }

    // Called for a new or opened document before it is shown.
    virtual void OnInitialUpdate() {}
    // Called when the document asks all its views to update.
    virtual void OnUpdate() {}
    // Commits whatever the user is typing, before a command or before the
    // document's data is dropped or written.
    virtual void CommitPendingEdit() {}

private:
    DocumentBase* document_ = nullptr;
};
