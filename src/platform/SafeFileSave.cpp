#include "platform/SafeFileSave.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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

} // namespace

SafeFileSave::SafeFileSave(const QString& path) : target_(ResolveTarget(path)) {}

SafeFileSave::~SafeFileSave() {
    if (!committed_)
        Abort();
}

bool SafeFileSave::Fail(fault::Step step, int error) {
    failedStep_ = step;
    error_ = error ? error : EIO;
    return false;
}

bool SafeFileSave::Open() {
    const QFileInfo info(target_);
    if (info.fileName().isEmpty())
        return Fail(fault::Step::Open, EINVAL);
    if (info.exists() && !info.isFile())
        return Fail(fault::Step::Open, EISDIR);
    if (int e = fault::Check(fault::Step::Open))
        return Fail(fault::Step::Open, e);
    QByteArray templ =
        QFile::encodeName(info.absolutePath() + QLatin1String("/.") + info.fileName()) + ".XXXXXX";
    fd_ = ::mkostemp(templ.data(), O_CLOEXEC);
    if (fd_ < 0)
        return Fail(fault::Step::Open, errno);
    tempPath_ = QFile::decodeName(templ);
    stream_ = std::make_unique<FdByteStream>(fd_);
    return true;
}

bool SafeFileSave::Commit() {
    if (fd_ < 0)
        return Fail(fault::Step::Open, EBADF);
    if (int e = fault::Check(fault::Step::Flush))
        return Fail(fault::Step::Flush, e);
    if (int e = fault::Check(fault::Step::Sync))
        return Fail(fault::Step::Sync, e);
    if (::fsync(fd_) != 0)
        return Fail(fault::Step::Sync, errno);

    // The new file keeps the old one's permissions (and owner where allowed);
    // a new file gets the usual ones for the user's umask.
    const QByteArray targetNative = QFile::encodeName(target_);
    struct stat old {};
    mode_t mode = 0666 & ~CurrentUmask();
    if (::stat(targetNative.constData(), &old) == 0) {
        mode = old.st_mode & 07777;
        if (::fchown(fd_, old.st_uid, old.st_gid) != 0) {
            // Not the owner: the file becomes the saving user's, as with any new file.
        }
    }
    if (int e = fault::Check(fault::Step::Chmod))
        return Fail(fault::Step::Chmod, e);
    if (::fchmod(fd_, mode) != 0)
        return Fail(fault::Step::Chmod, errno);

    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        return Fail(fault::Step::Flush, errno);

    if (int e = fault::Check(fault::Step::Rename))
        return Fail(fault::Step::Rename, e);
    const QByteArray tempNative = QFile::encodeName(tempPath_);
    if (::rename(tempNative.constData(), targetNative.constData()) != 0)
        return Fail(fault::Step::Rename, errno);
    committed_ = true;

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

void SafeFileSave::Abort() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!tempPath_.isEmpty() && !committed_) {
        ::unlink(QFile::encodeName(tempPath_).constData());
        tempPath_.clear();
    }
}
