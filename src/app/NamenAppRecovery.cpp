// SPDX-License-Identifier: GPL-3.0-or-later
// The recovery of unsaved changes: the copy the window keeps while it
// runs, the offer of what a program that is gone left, and the session
// manager's request to keep the data.

#include "app/NamenApp.h"
#include "app/recovery/RecoveryKeeper.h"
#include "app/recovery/RecoveryStore.h"
#include "document/LayoutSettings.h"
#include "document/V7NFile.h"
#include "document/V7NamenDoc.h"
#include "platform/files/Archive.h"
#include "platform/files/ByteStream.h"
#include "platform/ui/StringTable.h"
#include "platform/ui/UiHost.h"
#include "resources/Resource.h"
#include "view/NameEdit.h"
#include "view/V7NamenView.h"

#include <QDir>
#include <QFile>
#include <cstdio>

void CNamenApp::StartRecovery(const QString& folder) {
    if (recovery_)
        return;
    recoveryStore_ = std::make_unique<recovery::Store>(folder);
    if (!recoveryStore_->Prepare()) {
        std::fprintf(stderr, "Quintara: %s\n",
                     qUtf8Printable(
                         FormatString(IDS_RECOVERY_UNUSABLE, {QDir::toNativeSeparators(folder)})));
        return;
    }
    recoveryStore_->RemoveStaleLocks();
    for (const QString& stem : recoveryStore_->Leftovers()) {
        if (OfferLeftover(stem))
            break;
    }
    recovery_ = std::make_unique<RecoveryKeeper>(*recoveryStore_, [this]() {
        std::optional<RecoveryKeeper::Snapshot> snapshot;
        if (std::optional<std::string> strip = RecoveryStrip()) {
            const CV7NamenDoc* doc = GetDocument();
            snapshot =
                RecoveryKeeper::Snapshot{std::move(*strip), {doc->GetPathName(), doc->GetTitle()}};
        }
        return snapshot;
    });
    if (!recovery_->Start()) {
        recovery_.reset();
        return;
    }
    // Typing counts as a change before it reaches the document.
    if (CV7NamenView* view = GetView())
        QObject::connect(view->NameEdit(), &QLineEdit::textEdited,
                         [this] { recovery_->Schedule(); });
    // A recovered strip is unsaved from the start.
    recovery_->Schedule();
}

bool CNamenApp::OfferLeftover(const QString& stem) {
    // Held while the question is open, so that a second start does not
    // offer the same strip.
    const auto lock = recovery::Lock::Take(recoveryStore_->LockPath(stem), true);
    if (!lock)
        return false;
    QFile infoFile(recoveryStore_->InfoPath(stem));
    recovery::Info info;
    if (infoFile.open(QIODevice::ReadOnly))
        info = recovery::DecodeInfo(infoFile.read(qint64{64} * 1024).toStdString());
    const QString title = info.title.isEmpty() ? LoadStr(IDS_UNTITLED) : info.title;
    const bool take = AppMessageBox(FormatString(IDS_RECOVER_ASK, {title}), MbButtons::YesNo,
                                    MbIcon::Question) == MbResult::Yes;
    bool taken = false;
    CV7NamenDoc* doc = GetDocument();
    if (take && doc && doc->OnOpenDocument(recoveryStore_->StripPath(stem))) {
        if (!info.path.isEmpty())
            doc->SetPathName(info.path, false);
        doc->SetTitle(title);
        doc->SetModifiedFlag(true);
        if (CV7NamenView* view = GetView())
            view->OnInitialUpdate();
        taken = true;
    }
    // Taken into this window's own copy, or given up: the entry goes.
    if (!take || taken)
        recoveryStore_->Remove(stem);
    return taken;
}

std::optional<std::string> CNamenApp::RecoveryStrip() const {
    const CV7NamenDoc* doc = GetDocument();
    const CV7NamenView* view = GetView();
    if (!doc || !view || !doc->Settings())
        return std::nullopt;
    int index = -1;
    std::string typed;
    const bool typing = view->PendingName(index, typed);
    if (!doc->IsModified() && !typing)
        return std::nullopt;
    std::vector<std::string> names = doc->names;
    if (typing && index >= 0 && std::size_t(index) < names.size())
        names[std::size_t(index)] = std::move(typed);
    MemoryByteStream out;
    Archive ar(out, Archive::Mode::Store);
    v7n::Write(ar, *doc->Settings(), doc->colors, names);
    ar.Close();
    const std::vector<std::uint8_t>& bytes = out.Bytes();
    return std::string(bytes.begin(), bytes.end());
}

void CNamenApp::WriteRecoveryNow() {
    if (recovery_)
        recovery_->WriteNow();
}

void CNamenApp::EndRecovery() {
    if (recovery_)
        recovery_->Discard();
    recovery_.reset();
}

void CNamenApp::OnDocumentChanged() {
    if (recovery_)
        recovery_->Schedule();
}

bool CNamenApp::OnCommitData(bool interactionAllowed) {
    CV7NamenDoc* doc = GetDocument();
    if (!doc)
        return true;
    if (!interactionAllowed) {
        WriteRecoveryNow();
        return true;
    }
    return doc->SaveModified();
}
