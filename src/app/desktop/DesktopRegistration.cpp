// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/desktop/DesktopRegistration.h"

#include "app/desktop/RefreshTool.h"
#include "platform/files/SafeFileSave.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class Found { Nothing, RegularFile, SomethingElse };

// What is at path, a link followed. Only a stat: opening a device can
// already act on it.
Found Look(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return errno == ENOENT || errno == ENOTDIR ? Found::Nothing : Found::SomethingElse;
    return S_ISREG(info.st_mode) ? Found::RegularFile : Found::SomethingElse;
}

// The bytes of the regular file at path when it holds at most maxBytes.
// The open does not wait, in case a FIFO took the file's place after the
// look, and the descriptor is checked again.
std::optional<QByteArray> ReadRegular(const QString& path, qint64 maxBytes) {
    if (Look(path) != Found::RegularFile)
        return std::nullopt;
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::optional<QByteArray> bytes;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= maxBytes) {
        // One byte more than the file holds: a file that grows meanwhile
        // is not taken (nor read past the bound).
        QByteArray content(qsizetype(info.st_size) + 1, Qt::Uninitialized);
        qsizetype have = 0;
        ssize_t got = 0;
        while (have < content.size()) {
            got = ::read(fd, content.data() + have, size_t(content.size() - have));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break;
            have += got;
        }
        if (got >= 0 && have < content.size())
            bytes = content.left(have);
    }
    ::close(fd);
    return bytes;
}

bool WriteFile(const QString& path, const QByteArray& content) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    SafeFileSave save(path);
    if (!save.Open())
        return false;
    if (!save.Stream().Write(content.constData(), size_t(content.size()))) {
        save.Abort();
        return false;
    }
    return save.Commit();
}

bool FileMentions(const QString& path, const QString& text) {
    const auto bytes = ReadRegular(path, DesktopRegistration::kMaxDatabaseBytes);
    return bytes && bytes->contains(text.toUtf8());
}

bool Cancelled(const std::atomic<bool>* cancelled) {
    return cancelled && cancelled->load();
}

} // namespace

DesktopRegistration::Setup DesktopRegistration::DefaultSetup() {
    Setup setup;
    setup.executable = QCoreApplication::applicationFilePath();
    setup.dataHome = DataHome();
    return setup;
}

QString DesktopRegistration::DataHome() {
    // A relative $XDG_DATA_HOME is invalid and must be ignored.
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return QDir::cleanPath(xdg);
    return QDir::homePath() + QLatin1String("/.local/share");
}

bool DesktopRegistration::IsSystemInstall(const Setup& setup) {
    const QFileInfo exe(setup.executable);
    const QString canonical = exe.canonicalFilePath();
    const QString binDir =
        QFileInfo(canonical.isEmpty() ? exe.absoluteFilePath() : canonical).path();
    for (const QString& prefix : setup.systemPrefixes) {
        if (QDir::cleanPath(binDir) != QDir::cleanPath(prefix + QLatin1String("/bin")))
            continue;
        const QString share = prefix + QLatin1String("/share/");
        return QFileInfo::exists(share + QLatin1String("applications/") +
                                 DesktopFiles::DesktopFileName()) &&
               QFileInfo::exists(share + QLatin1String("mime/packages/") +
                                 DesktopFiles::MimePackageName());
    }
    return false;
}

DesktopRegistration::Result DesktopRegistration::Update(const Setup& setup) {
    if (IsSystemInstall(setup)) {
        Result result;
        result.systemInstall = true;
        return result;
    }
    return Apply(setup, DesktopFiles::All(setup.executable));
}

DesktopRegistration::Result DesktopRegistration::Apply(const Setup& setup,
                                                       const std::vector<DesktopFiles::File>& files,
                                                       const std::atomic<bool>* cancelled) {
    Result result;
    const QString base = setup.dataHome + QLatin1Char('/');
    bool mimeChanged = false, desktopChanged = false, iconsChanged = false;
    for (const DesktopFiles::File& file : files) {
        if (Cancelled(cancelled))
            return result;
        const QString path = base + file.relativePath;
        const Found found = Look(path);
        if (found == Found::SomethingElse) {
            result.failed = true; // neither read nor replaced
            continue;
        }
        if (found == Found::RegularFile && ReadRegular(path, file.content.size()) == file.content)
            continue;
        if (!WriteFile(path, file.content)) {
            result.failed = true;
            continue;
        }
        ++result.filesWritten;
        mimeChanged |= file.kind == DesktopFiles::Kind::MimeType;
        desktopChanged |= file.kind == DesktopFiles::Kind::DesktopEntry;
        iconsChanged |= file.kind == DesktopFiles::Kind::Icon;
    }

    // A database that does not know the files there yet (its tool was
    // missing or was stopped last time) is refreshed as well. A file of
    // ours that is no regular file is not there for the desktop either.
    const QString mimeDir = base + QLatin1String("mime");
    const QString appsDir = base + QLatin1String("applications");
    const bool mimeUpToDate =
        Look(mimeDir + QLatin1String("/packages/") + DesktopFiles::MimePackageName()) !=
            Found::RegularFile ||
        FileMentions(mimeDir + QLatin1String("/globs2"), DesktopFiles::MimeTypeName());
    const bool appsUpToDate =
        Look(appsDir + QLatin1Char('/') + DesktopFiles::DesktopFileName()) != Found::RegularFile ||
        FileMentions(appsDir + QLatin1String("/mimeinfo.cache"), DesktopFiles::DesktopFileName());
    const Launcher launch = setup.launcher ? setup.launcher : Launcher(&StartDetached);
    if ((mimeChanged || !mimeUpToDate) && !Cancelled(cancelled)) {
        launch(QStringLiteral("update-mime-database"), {mimeDir});
        result.refreshed << QStringLiteral("update-mime-database");
    }
    if ((desktopChanged || !appsUpToDate) && !Cancelled(cancelled)) {
        launch(QStringLiteral("update-desktop-database"), {QStringLiteral("-q"), appsDir});
        result.refreshed << QStringLiteral("update-desktop-database");
    }
    // The user's hicolor folder normally has no icon cache; when it has one,
    // a stale cache would hide the new icons.
    const QString hicolor = base + QLatin1String("icons/hicolor");
    if (iconsChanged && Look(hicolor + QLatin1String("/icon-theme.cache")) == Found::RegularFile &&
        !Cancelled(cancelled)) {
        launch(QStringLiteral("gtk-update-icon-cache"),
               {QStringLiteral("-q"), QStringLiteral("-t"), QStringLiteral("-f"), hicolor});
        result.refreshed << QStringLiteral("gtk-update-icon-cache");
    }
    return result;
}

void DesktopRegistration::StartDetached(const QString& program, const QStringList& arguments) {
    RefreshTool::Start(program, arguments,
                       kToolLimitSeconds); // a missing tool is no error worth telling
}
