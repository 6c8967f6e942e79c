// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/recovery/RecoveryStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace recovery {

namespace {

const QString kPrefix = QStringLiteral("window-");

QString Key(const char* key) {
    return QString::fromLatin1(key) + QLatin1Char('=');
}

} // namespace

QString DefaultFolder() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || !QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/quintara");
}

std::string EncodeInfo(const Info& info) {
    // One line each; a line break in a path or title cannot end its line.
    auto line = [](const char* key, QString value) {
        value.replace(QLatin1Char('\n'), QLatin1Char(' '));
        return (Key(key) + value + QLatin1Char('\n')).toUtf8().toStdString();
    };
    return line("path", info.path) + line("title", info.title);
}

Info DecodeInfo(const std::string& bytes) {
    Info info;
    const QStringList lines = QString::fromUtf8(bytes.data(), qsizetype(bytes.size()))
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        if (line.startsWith(Key("path")))
            info.path = line.mid(Key("path").size());
        else if (line.startsWith(Key("title")))
            info.title = line.mid(Key("title").size());
    }
    return info;
}

std::unique_ptr<Lock> Lock::Take(const QString& path, bool create) {
    const int flags = O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | (create ? O_CREAT : 0);
    const int fd = ::open(QFile::encodeName(path).constData(), flags, 0600);
    if (fd < 0)
        return nullptr;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<Lock>(new Lock(fd));
}

Lock::~Lock() {
    ::close(fd_); // releases the lock
}

bool Store::Prepare() const {
    const QByteArray native = QFile::encodeName(folder_);
    QDir().mkpath(QFileInfo(folder_).path());
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st {};
    return ::lstat(native.constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}

QString Store::Path(const QString& stem, const char* suffix) const {
    return QDir(folder_).filePath(stem + QLatin1String(suffix));
}

QString Store::NewStem() const {
    for (;;) {
        QString stem = kPrefix + QString::number(::getpid()) + QLatin1Char('-') +
                       QString::number(QRandomGenerator::global()->generate() % 1000000);
        if (!QFileInfo::exists(LockPath(stem)) && !QFileInfo::exists(StripPath(stem)))
            return stem;
    }
}

QStringList Store::Leftovers() const {
    QFileInfoList strips = QDir(folder_).entryInfoList({kPrefix + QStringLiteral("*.V7N")},
                                                       QDir::Files | QDir::NoSymLinks, QDir::Time);
    QStringList stems;
    for (const QFileInfo& strip : strips) {
        const QString stem = strip.completeBaseName();
        // A running program holds its lock; one that is gone does not.
        const bool running =
            QFileInfo::exists(LockPath(stem)) && !Lock::Take(LockPath(stem), false);
        if (!running)
            stems.append(stem);
    }
    return stems;
}

void Store::Remove(const QString& stem) const {
    QFile::remove(StripPath(stem));
    QFile::remove(InfoPath(stem));
    QFile::remove(LockPath(stem));
}

void Store::RemoveStaleLocks() const {
    const QFileInfoList locks = QDir(folder_).entryInfoList({kPrefix + QStringLiteral("*.lock")},
                                                            QDir::Files | QDir::NoSymLinks);
    for (const QFileInfo& lock : locks) {
        const QString stem = lock.completeBaseName();
        if (!QFileInfo::exists(StripPath(stem)) && Lock::Take(lock.filePath(), false))
            QFile::remove(lock.filePath());
    }
}

} // namespace recovery
