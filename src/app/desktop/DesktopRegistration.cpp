#include "app/desktop/DesktopRegistration.h"

#include "app/desktop/DesktopFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>

namespace {

bool SameContent(const QString& path, const QByteArray& content) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    if (file.size() != content.size())
        return false;
    return file.readAll() == content;
}

bool WriteFile(const QString& path, const QByteArray& content) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(content) != content.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool FileMentions(const QString& path, const QString& text) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.readAll().contains(text.toUtf8());
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
    Result result;
    if (IsSystemInstall(setup)) {
        result.systemInstall = true;
        return result;
    }
    const QString base = setup.dataHome + QLatin1Char('/');
    bool mimeChanged = false, desktopChanged = false, iconsChanged = false;
    for (const DesktopFiles::File& file : DesktopFiles::All(setup.executable)) {
        const QString path = base + file.relativePath;
        if (SameContent(path, file.content))
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
    // missing or was stopped last time) is refreshed as well.
    const QString mimeDir = base + QLatin1String("mime");
    const QString appsDir = base + QLatin1String("applications");
    const bool mimeUpToDate =
        !QFileInfo::exists(mimeDir + QLatin1String("/packages/") +
                           DesktopFiles::MimePackageName()) ||
        FileMentions(mimeDir + QLatin1String("/globs2"), DesktopFiles::MimeTypeName());
    const bool appsUpToDate =
        !QFileInfo::exists(appsDir + QLatin1Char('/') + DesktopFiles::DesktopFileName()) ||
        FileMentions(appsDir + QLatin1String("/mimeinfo.cache"), DesktopFiles::DesktopFileName());
    const Launcher launch = setup.launcher ? setup.launcher : Launcher(&StartDetached);
    if (mimeChanged || !mimeUpToDate) {
        launch(QStringLiteral("update-mime-database"), {mimeDir});
        result.refreshed << QStringLiteral("update-mime-database");
    }
    if (desktopChanged || !appsUpToDate) {
        launch(QStringLiteral("update-desktop-database"), {QStringLiteral("-q"), appsDir});
        result.refreshed << QStringLiteral("update-desktop-database");
    }
    // The user's hicolor folder normally has no icon cache; when it has one,
    // a stale cache would hide the new icons.
    const QString hicolor = base + QLatin1String("icons/hicolor");
    if (iconsChanged && QFileInfo::exists(hicolor + QLatin1String("/icon-theme.cache"))) {
        launch(QStringLiteral("gtk-update-icon-cache"),
               {QStringLiteral("-q"), QStringLiteral("-t"), QStringLiteral("-f"), hicolor});
        result.refreshed << QStringLiteral("gtk-update-icon-cache");
    }
    return result;
}

void DesktopRegistration::StartDetached(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.startDetached(); // a missing tool is no error worth telling
}
