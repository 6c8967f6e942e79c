// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/framework/DocumentBase.h"

#include "platform/files/Archive.h"
#include "platform/files/SafeFileSave.h"
#include "platform/framework/DocumentView.h"
#include "platform/ui/StringTable.h"
#include "platform/ui/UiHost.h"
#include "resources/Resource.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace {

void ReportOpenError(int error, const QString& path) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        AppMessageBox(FormatString(IDP_FILE_NOT_FOUND, {QDir::toNativeSeparators(path)}));
        break;
    case EACCES:
    case EPERM:
        AppMessageBox(FormatString(IDP_FILE_ACCESS_DENIED, {QDir::toNativeSeparators(path)}));
        break;
    default:
        AppMessageBoxId(IDP_FAILED_TO_OPEN_DOC);
        break;
    }
}

// The kernel's own file systems: their "regular files" are views of the
// kernel whose size says nothing about what a read gives (/proc/self/mem
// reports 0 bytes, /sys files 4096, /proc/kcore the whole memory).
bool IsKernelFileSystem(const struct statfs& fs) {
    switch (fs.f_type) {
    case PROC_SUPER_MAGIC:
    case SYSFS_MAGIC:
    case DEBUGFS_MAGIC:
    case TRACEFS_MAGIC:
    case SECURITYFS_MAGIC:
    case CGROUP_SUPER_MAGIC:
    case CGROUP2_SUPER_MAGIC:
    case BPF_FS_MAGIC:
        return true;
    default:
        return false;
    }
}

// Only a regular file (a symbolic link to one included) can be a document.
// A FIFO would wait for a writer for ever, a device may never end or act on
// being opened (a serial line raises its modem lines), and a folder reads
// nothing; all of them are refused before they are opened, let alone read.
// So is a file of the kernel's own file systems.
bool CheckIsRegularFile(const QByteArray& native, const QString& path) {
    struct stat st {};
    if (::stat(native.constData(), &st) != 0) {
        ReportOpenError(errno, path);
        return false;
    }
    struct statfs fs {};
    if (!S_ISREG(st.st_mode) ||
        (::statfs(native.constData(), &fs) == 0 && IsKernelFileSystem(fs))) {
        AppMessageBoxId(IDP_FAILED_TO_OPEN_DOC);
        return false;
    }
    return true;
}

// Whether the file's size is what a read gives: a file that says it is
// empty must read nothing (a pseudo-file of a file system the check above
// does not know reports 0 and gives data, or fails to read).
bool SizeIsKnown(int fd, const struct stat& st) {
    struct statfs fs {};
    if (::fstatfs(fd, &fs) != 0 || IsKernelFileSystem(fs))
        return false;
    if (st.st_size != 0)
        return true;
    char byte;
    ssize_t got;
    do {
        got = ::pread(fd, &byte, 1, 0);
    } while (got < 0 && errno == EINTR);
    return got == 0;
}

// The descriptor of a regular file opened for reading, or -1 after the
// message. The path may be replaced between the check and the open, so the
// open cannot wait (O_NONBLOCK), never takes a terminal as the controlling
// one, and what it opened is checked again; reading then blocks as usual.
int OpenRegularFile(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    if (!CheckIsRegularFile(native, path))
        return -1;
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        ReportOpenError(errno, path);
        return -1;
    }
    struct stat st {};
    const int flags = ::fcntl(fd, F_GETFL);
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || !SizeIsKnown(fd, st) || flags < 0 ||
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(fd);
        AppMessageBoxId(IDP_FAILED_TO_OPEN_DOC);
        return -1;
    }
    return fd;
}

void ReportSaveError(int error, const QString& path, bool creating) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        AppMessageBoxId(IDP_FILE_DISK_FULL);
        break;
    case EACCES:
    case EPERM:
    case EROFS:
        AppMessageBox(FormatString(IDP_FILE_ACCESS_DENIED, {QDir::toNativeSeparators(path)}));
        break;
    default:
        AppMessageBoxId(creating ? IDP_INVALID_FILENAME : IDP_FAILED_TO_SAVE_DOC);
        break;
    }
}

} // namespace

DocumentBase::DocumentBase() {
    const auto changed = [this] {
        if (host_)
            host_->OnDocumentChanged();
    };
    QObject::connect(&undoStack_, &QUndoStack::indexChanged, changed);
    QObject::connect(&undoStack_, &QUndoStack::cleanChanged, changed);
    OnCommand(ID_FILE_SAVE, [this] { OnFileSave(); });
    OnCommand(ID_FILE_SAVE_AS, [this] { OnFileSaveAs(); });
    OnCommand(
        ID_EDIT_UNDO, [this] { Undo(); },
        [this](CmdUi& ui) {
            UpdateStepUi(ui, undoStack_.canUndo(), undoStack_.undoText(), IDS_MENU_UNDO,
                         IDS_MENU_UNDO_STEP);
        });
    OnCommand(
        ID_EDIT_REDO, [this] { Redo(); },
        [this](CmdUi& ui) {
            UpdateStepUi(ui, undoStack_.canRedo(), undoStack_.redoText(), IDS_MENU_REDO,
                         IDS_MENU_REDO_STEP);
        });
}

void DocumentBase::UpdateStepUi(CmdUi& ui, bool can, const QString& step, int plain, int named) {
    ui.Enable(can);
    ui.SetText(can && !step.isEmpty() ? FormatString(named, {step}) : LoadStr(plain));
}

void DocumentBase::SetModifiedFlag(bool modified) {
    modified_ = modified;
    if (!modified)
        undoStack_.setClean();
    if (host_)
        host_->OnDocumentChanged();
}

void DocumentBase::PushStep(std::unique_ptr<QUndoCommand> step) {
    undoStack_.push(step.release()); // the stack owns its steps
}

void DocumentBase::SetPathName(const QString& path, bool addToRecent) {
    pathName_ = QFileInfo(path).absoluteFilePath();
    SetTitle(QFileInfo(pathName_).fileName());
    if (addToRecent && host_)
        host_->AddToRecentFileList(pathName_);
}

void DocumentBase::SetTitle(const QString& title) {
    title_ = title;
    if (host_)
        host_->OnDocumentTitleChanged();
}

void DocumentBase::AddView(DocumentView* view) {
    views_.push_back(view);
    view->SetDocument(this);
}

void DocumentBase::RemoveView(DocumentView* view) {
    views_.erase(std::remove(views_.begin(), views_.end(), view), views_.end());
}

void DocumentBase::UpdateAllViews() {
    for (DocumentView* v : views_)
        v->OnUpdate();
}

bool DocumentBase::ResetToNew() {
    DeleteContents();
    pathName_.clear();
    undoStack_.clear();
    modified_ = false;
    if (host_)
        host_->OnDocumentChanged();
    return true;
}

bool DocumentBase::SaveModified() {
    if (host_)
        host_->CommitPendingEdits();
    if (!IsModified())
        return true;
    QString name = pathName_.isEmpty() ? title_ : QFileInfo(pathName_).fileName();
    if (name.isEmpty())
        name = LoadStr(IDS_UNTITLED);
    switch (AppMessageBox(FormatString(IDP_ASK_TO_SAVE, {name}), MbButtons::YesNoCancel)) {
    case MbResult::Cancel:
        return false;
    case MbResult::Yes:
        return DoFileSave();
    default:
        return true;
    }
}

bool DocumentBase::DoFileSave() {
    if (pathName_.isEmpty())
        return DoSave(QString());
    return DoSave(pathName_);
}

bool DocumentBase::DoSave(const QString& path, bool replace) {
    if (host_)
        host_->CommitPendingEdits();
    QString target = path;
    if (target.isEmpty()) {
        FileDialogRequest request;
        request.save = true;
        request.title = LoadStr(IDS_SAVEFILE);
        if (host_) {
            request.filters = host_->FileFilters();
            request.defaultSuffix = host_->DefaultExtension();
        }
        QString proposed = pathName_;
        if (proposed.isEmpty()) {
            proposed = title_.isEmpty() ? LoadStr(IDS_UNTITLED) : title_;
            if (host_ && !proposed.contains(QLatin1Char('.')))
                proposed += QLatin1Char('.') + host_->DefaultExtension();
            proposed = QDir::current().absoluteFilePath(proposed);
        }
        request.initialPath = proposed;
        const auto chosen = GetUiHost().ChooseFile(request);
        if (!chosen)
            return false;
        target = *chosen;
    }
    if (!OnSaveDocument(target))
        return false;
    if (replace)
        SetPathName(target);
    return true;
}

bool DocumentBase::CanOpenDocument(const QString& path) {
    return CheckIsRegularFile(QFile::encodeName(path), path);
}

bool DocumentBase::OnOpenDocument(const QString& path) {
    // Nothing of the document changes until the file is open.
    const int fd = OpenRegularFile(path);
    if (fd < 0)
        return false;
    // The steps belong to the strip being replaced.
    undoStack_.clear();
    SetModifiedFlag(true);
    DeleteContents();
    FdByteStream stream(fd);
    Archive ar(stream, Archive::Mode::Load);
    const std::int64_t size = stream.Remaining();
    unreadTail_ = false;
    if (size != 0)
        Serialize(ar);
    ar.Close();
    ::close(fd);
    if (!ar.Ok()) {
        if (ar.GetError() == Archive::Error::ReadFailed)
            AppMessageBoxId(IDP_FAILED_TO_OPEN_DOC);
        else
            AppMessageBoxId(IDP_ARCH_BADFORMAT);
        ResetToNew();
        SetTitle(LoadStr(IDS_UNTITLED));
        return false;
    }
    SetModifiedFlag(false);
    if (unreadTail_) {
        // What could be read is shown; the next save writes it whole.
        SetModifiedFlag(true);
        AppMessageBox(FormatString(IDP_FILE_TORN, {QDir::toNativeSeparators(path)}));
    }
    return true;
}

std::vector<std::uint8_t> DocumentBase::DamagedHead(const std::vector<std::uint8_t>&,
                                                    std::size_t) const {
    return {};
}

bool DocumentBase::OnSaveDocument(const QString& path) {
    const bool saved = WriteSafely(
        path,
        [this](ByteStream& stream, int& error) {
            Archive ar(stream, Archive::Mode::Store);
            Serialize(ar);
            ar.Close();
            error = ar.SystemError();
            return ar.Ok();
        },
        [this](const std::vector<std::uint8_t>& content, std::size_t limit) {
            return DamagedHead(content, limit);
        });
    if (saved)
        SetModifiedFlag(false);
    return saved;
}

int DocumentBase::OpenForReading(const QString& path) {
    return OpenRegularFile(path);
}

bool DocumentBase::SaveBytes(const QString& path, const std::string& bytes) {
    return WriteSafely(path, [&bytes](ByteStream& stream, int& error) {
        const bool written = stream.Write(bytes.data(), bytes.size());
        error = stream.LastError();
        return written;
    });
}

bool DocumentBase::WriteSafely(const QString& path,
                               const std::function<bool(ByteStream&, int&)>& write,
                               const SafeFileSave::DamagedHead& damagedHead) {
    SafeFileSave file(path);
    file.SetDamagedHead(damagedHead);
    if (!file.Open()) {
        ReportSaveError(file.Error(), path, true);
        return false;
    }
    int error = 0;
    const bool written = write(file.Stream(), error);
    if (!written || !file.Commit()) {
        file.Abort();
        ReportSaveError(written ? file.Error() : error, path, false);
        return false;
    }
    return true;
}
