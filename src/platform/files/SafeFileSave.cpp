// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/SafeFileSave.h"

#include "platform/files/InPlaceWrite.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A temporary file is named ".<name>.quintara-XXXXXX": hidden, recognisably
// the program's and the target's, and never longer than the folder allows.
constexpr char kTempMark[] = ".quintara-";
constexpr std::size_t kTempMarkSize = sizeof kTempMark - 1;
constexpr std::size_t kRandomSize = 6; // mkostemp's XXXXXX

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The longest file name the folder takes, in bytes.
std::size_t NameLimit(const QByteArray& folder) {
    const long limit = ::pathconf(folder.constData(), _PC_NAME_MAX);
    return limit > 0 ? std::size_t(limit) : NAME_MAX;
}

// The template of a temporary name for `name` in a folder that takes names
// of up to `limit` bytes: as much of the name as fits, cut at a character.
QByteArray TempTemplate(const QByteArray& name, std::size_t limit) {
    const std::size_t fixed = 1 + kTempMarkSize + kRandomSize;
    std::size_t keep = limit > fixed ? std::min(std::size_t(name.size()), limit - fixed) : 0;
    while (keep > 0 && keep < std::size_t(name.size()) && (name.at(qsizetype(keep)) & 0xC0) == 0x80)
        --keep; // not inside a UTF-8 sequence
    return '.' + name.left(qsizetype(keep)) + kTempMark + QByteArray(kRandomSize, 'X');
}

bool IsTempName(const char* name) {
    const std::size_t size = std::strlen(name);
    if (size < 1 + kTempMarkSize + kRandomSize || name[0] != '.')
        return false;
    const char* random = name + size - kRandomSize;
    if (std::memcmp(random - kTempMarkSize, kTempMark, kTempMarkSize) != 0)
        return false;
    for (std::size_t i = 0; i < kRandomSize; ++i) {
        const char c = random[i];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    }
    return true;
}

// Removes the temporary files a killed run left in the folder: only the
// user's own regular files of the program's name pattern, and only when no
// running save holds them (each save keeps an exclusive lock on its
// temporary file while it exists, so a lock that can be taken means that
// its run has ended). The name is checked again under the lock, so that
// only the file that was locked goes.
void RemoveStaleTemporaries(const QByteArray& folder) {
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return;
    const int dfd = ::dirfd(dir);
    const uid_t me = ::geteuid();
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsTempName(entry->d_name))
            continue;
        struct stat st {};
        if (::fstatat(dfd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode) ||
            st.st_uid != me)
            continue;
        const int fd =
            ::openat(dfd, entry->d_name, O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
        if (fd < 0)
            continue;
        struct stat locked {};
        struct stat named {};
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &locked) == 0 &&
            ::fstatat(dfd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            SameFile(locked, named) && locked.st_uid == me)
            ::unlinkat(dfd, entry->d_name, 0);
        ::close(fd);
    }
    ::closedir(dir);
}

mode_t CurrentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// Writes next to the file a symbolic link points at, so that saving keeps the link.
QString ResolveTarget(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    char resolved[PATH_MAX];
    if (::realpath(native.constData(), resolved))
        return QFile::decodeName(resolved);
    return path;
}

// Whether the user may put a new file in place of `file` in `folder`: the
// folder must be writable, and in a folder with the sticky bit (as /tmp) only
// the file's or the folder's owner may replace a file.
bool FolderTakesNewFile(const QString& folder, const struct stat& file) {
    const QByteArray native = QFile::encodeName(folder);
    struct stat dir {};
    if (::faccessat(AT_FDCWD, native.constData(), W_OK | X_OK, AT_EACCESS) != 0 ||
        ::stat(native.constData(), &dir) != 0)
        return false;
    const uid_t me = ::geteuid();
    return !(dir.st_mode & S_ISVTX) || me == 0 || file.st_uid == me || dir.st_uid == me;
}

} // namespace

SafeFileSave::SafeFileSave(const QString& path, Writer writer)
    : target_(ResolveTarget(path)), writer_(writer) {}

SafeFileSave::~SafeFileSave() {
    if (!committed_)
        Abort();
}

bool SafeFileSave::Fail(int error) {
    error_ = error ? error : EIO;
    return false;
}

bool SafeFileSave::Open() {
    const QFileInfo info(target_);
    if (info.fileName().isEmpty())
        return Fail(EINVAL);
    const QByteArray native = QFile::encodeName(target_);
    struct stat old {};
    const bool exists = ::stat(native.constData(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode))
        return Fail(EISDIR);
    if (int e = fault::Check(fault::Step::Open))
        return Fail(e);
    if (exists) {
        // A rename needs only the folder's permission; the protection of
        // the file itself must hold all the same.
        if (::faccessat(AT_FDCWD, native.constData(), W_OK, AT_EACCESS) != 0)
            return Fail(errno);
        if (!FolderTakesNewFile(info.absolutePath(), old)) {
            if (writer_ == Writer::ByName)
                return Fail(EACCES);
            return OpenInPlace();
        }
    }
    return OpenTemporary();
}

bool SafeFileSave::OpenTemporary() {
    const QFileInfo info(target_);
    const QByteArray folder = QFile::encodeName(info.absolutePath());
    RemoveStaleTemporaries(folder);
    const QByteArray name = TempTemplate(QFile::encodeName(info.fileName()), NameLimit(folder));
    // A run cleaning the folder may take the new file's lock in the moment
    // before this one does, and remove it; then another name is tried. The
    // lock is held through a descriptor of its own, so that the writing one
    // can be closed (and its error seen) before the rename.
    for (int attempt = 0; attempt < 8 && lockFd_ < 0; ++attempt) {
        QByteArray templ = folder + '/' + name;
        const int fd = ::mkostemp(templ.data(), O_CLOEXEC);
        if (fd < 0)
            return Fail(errno);
        const int lock = ::open(templ.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        struct stat locked {};
        struct stat named {};
        if (lock >= 0 && ::flock(lock, LOCK_EX | LOCK_NB) == 0 && ::fstat(lock, &locked) == 0 &&
            ::lstat(templ.constData(), &named) == 0 && SameFile(locked, named)) {
            fd_ = fd;
            lockFd_ = lock;
            tempPath_ = QFile::decodeName(templ);
            break;
        }
        if (lock >= 0)
            ::close(lock);
        ::close(fd);
    }
    if (lockFd_ < 0)
        return Fail(EAGAIN);
    if (writer_ == Writer::ByName) {
        // The writer opens the file itself; Commit opens what it finds then.
        ::close(fd_);
        fd_ = -1;
    } else {
        stream_ = std::make_unique<FdByteStream>(fd_);
    }
    return true;
}

bool SafeFileSave::OpenInPlace() {
    method_ = Method::InPlace;
    fd_ =
        ::open(QFile::encodeName(target_).constData(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0)
        return Fail(errno);
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode))
        return Fail(EISDIR);
    oldContent_.reserve(std::size_t(st.st_size));
    char buffer[65536];
    for (off_t at = 0;;) {
        const ssize_t got = ::pread(fd_, buffer, sizeof buffer, at);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return Fail(errno);
        }
        if (got == 0)
            break;
        oldContent_.insert(oldContent_.end(), buffer, buffer + got);
        at += got;
    }
    auto memory = std::make_unique<MemoryByteStream>();
    memory_ = memory.get();
    stream_ = std::move(memory);
    return true;
}

bool SafeFileSave::Commit() {
    return method_ == Method::InPlace ? CommitInPlace() : CommitReplace();
}

bool SafeFileSave::CommitReplace() {
    const QByteArray tempNative = QFile::encodeName(tempPath_);
    if (writer_ == Writer::ByName && !tempPath_.isEmpty()) {
        // Whatever the writer left under the name is what gets synced and renamed.
        fd_ = ::open(tempNative.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (fd_ < 0)
            return Fail(errno);
    }
    if (fd_ < 0)
        return Fail(EBADF);
    if (int e = fault::Check(fault::Step::Flush))
        return Fail(e);
    if (int e = fault::Check(fault::Step::Sync))
        return Fail(e);
    if (::fsync(fd_) != 0)
        return Fail(errno);

    // The new file keeps the old one's permissions, and its owner and group
    // as far as the user may give them; a new file gets the usual
    // permissions for the user's umask.
    const QByteArray targetNative = QFile::encodeName(target_);
    struct stat old {};
    mode_t mode = 0666 & ~CurrentUmask();
    if (::stat(targetNative.constData(), &old) == 0) {
        mode = old.st_mode & 07777;
        if (::fchown(fd_, old.st_uid, old.st_gid) != 0 &&
            ::fchown(fd_, uid_t(-1), old.st_gid) != 0) {
            // Neither owner nor group can be kept: the file becomes the
            // saving user's, as any new file would.
        }
    }
    if (int e = fault::Check(fault::Step::Chmod))
        return Fail(e);
    if (::fchmod(fd_, mode) != 0)
        return Fail(errno);

    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        return Fail(errno);

    if (int e = fault::Check(fault::Step::Rename))
        return Fail(e);
    if (::rename(tempNative.constData(), targetNative.constData()) != 0)
        return Fail(errno);
    committed_ = true;
    ::close(lockFd_);
    lockFd_ = -1;

    // Make the rename itself durable; the new content is already in place,
    // so a failure here is not reported as a lost save.
    if (fault::Check(fault::Step::SyncDir) == 0) {
        const QByteArray dir = QFile::encodeName(QFileInfo(target_).absolutePath());
        const int dfd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dfd >= 0) {
            ::fsync(dfd);
            ::close(dfd);
        }
    }
    return true;
}

bool SafeFileSave::CommitInPlace() {
    if (fd_ < 0 || !memory_)
        return Fail(EBADF);
    // The file keeps its inode, and so its owner, group, permissions and links.
    const std::vector<std::uint8_t>& bytes = memory_->Bytes();
    if (int e = inplace::Put(fd_, bytes, DamagedHeadOf(bytes), true))
        return Restore(e);
    committed_ = true;
    ::close(fd_);
    fd_ = -1;
    oldContent_ = {};
    return true;
}

std::vector<std::uint8_t>
SafeFileSave::DamagedHeadOf(const std::vector<std::uint8_t>& content) const {
    if (!damagedHead_ || content.size() <= inplace::kPage)
        return {};
    return damagedHead_(content, inplace::kPage);
}

bool SafeFileSave::Restore(int error) {
    // In the same order as the new content went, and past the fault
    // injector, whose failure is what is being undone.
    if (inplace::Put(fd_, oldContent_, DamagedHeadOf(oldContent_), false) != 0) {
        // Nothing more to try; the first failure is the one reported.
    }
    return Fail(error);
}

void SafeFileSave::Abort() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!tempPath_.isEmpty() && !committed_) {
        ::unlink(QFile::encodeName(tempPath_).constData());
        tempPath_.clear();
    }
    if (lockFd_ >= 0) {
        ::close(lockFd_);
        lockFd_ = -1;
    }
}
