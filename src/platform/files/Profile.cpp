// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/Profile.h"

#include "platform/files/SafeFileSave.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <set>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// Far more than four paths, a few ports and a calibration per printer take;
// a larger file is not a profile this program wrote.
constexpr qsizetype kMaxProfileBytes = 1 << 20;

std::mutex g_reportMutex;
Profile::Reporter g_reporter;
std::set<std::pair<int, QString>> g_reported;

void Report(Profile::Problem problem, const QString& path) {
    Profile::Reporter reporter;
    {
        std::lock_guard lock(g_reportMutex);
        if (!g_reporter || !g_reported.insert({int(problem), path}).second)
            return;
        reporter = g_reporter;
    }
    reporter(problem, path);
}

enum class Found { Bytes, Nothing, NotAFile, Unreadable };

// The profile's bytes. Only a regular file is opened, and without waiting
// (O_NONBLOCK, should a FIFO have taken its place after the check); what
// was opened is checked again before it is read.
Found ReadProfile(const QString& path, QByteArray& bytes) {
    bytes.clear();
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    if (::stat(native.constData(), &st) != 0)
        return errno == ENOENT || errno == ENOTDIR ? Found::Nothing : Found::Unreadable;
    if (!S_ISREG(st.st_mode))
        return Found::NotAFile;
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return errno == ENOENT ? Found::Nothing : Found::Unreadable;
    Found found = Found::Bytes;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        found = Found::NotAFile;
    char buffer[16384];
    while (found == Found::Bytes) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 || bytes.size() + got > kMaxProfileBytes)
            found = Found::Unreadable;
        else if (got == 0)
            break;
        else
            bytes.append(buffer, got);
    }
    ::close(fd);
    if (found != Found::Bytes)
        bytes.clear();
    return found;
}

bool WriteProfile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    SafeFileSave file(path);
    if (!file.Open())
        return false;
    if (!file.Stream().Write(bytes.constData(), std::size_t(bytes.size()))) {
        file.Abort();
        return false;
    }
    return file.Commit();
}

} // namespace

void Profile::SetReporter(Reporter reporter) {
    std::lock_guard lock(g_reportMutex);
    g_reporter = std::move(reporter);
}

QString Profile::DefaultPath() {
    const QByteArray env = qgetenv("QUINTARA_PROFILE");
    if (!env.isEmpty())
        return QString::fromLocal8Bit(env);
    QString base = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QLatin1String("/.config");
    return base + QLatin1String("/quintara/quintara.ini");
}

Profile::Profile(const QString& path) : path_(path) {}

Profile::~Profile() = default;

IniText& Profile::Text() const {
    if (!text_) {
        QByteArray bytes;
        switch (ReadProfile(path_, bytes)) {
        case Found::NotAFile:
            Report(Problem::NotAFile, path_);
            break;
        case Found::Unreadable:
            Report(Problem::Unreadable, path_);
            break;
        case Found::Bytes:
        case Found::Nothing:
            break;
        }
        text_.emplace(bytes);
    }
    return *text_;
}

QString Profile::GetString(const QString& section, const QString& key,
                           const QString& fallback) const {
    return Text().Value(section, key).value_or(fallback);
}

int Profile::GetInt(const QString& section, const QString& key, int fallback) const {
    bool ok = false;
    const int v = Text().Value(section, key).value_or(QString()).toInt(&ok);
    return ok ? v : fallback;
}

void Profile::Put(const QString& section, const QString& key, std::optional<QString> value) {
    if (value)
        Text().SetValue(section, key, *value);
    else
        Text().Remove(section, key);
    changes_.push_back({section, key, std::move(value)});
}

void Profile::SetString(const QString& section, const QString& key, const QString& value) {
    Put(section, key, value);
}

void Profile::SetInt(const QString& section, const QString& key, int value) {
    Put(section, key, QString::number(value));
}

void Profile::Remove(const QString& section, const QString& key) {
    Put(section, key, std::nullopt);
}

bool Profile::Sync() {
    if (changes_.empty())
        return true;
    // What the file holds now, with this run's changes on top. A profile
    // that turned into something else, or cannot be read, is left alone:
    // writing it would drop what it holds.
    QByteArray before;
    switch (ReadProfile(path_, before)) {
    case Found::NotAFile:
        Report(Problem::NotAFile, path_);
        return false;
    case Found::Unreadable:
        Report(Problem::Unreadable, path_);
        return false;
    case Found::Bytes:
    case Found::Nothing:
        break;
    }
    IniText merged(before);
    for (const Change& c : changes_) {
        if (c.value)
            merged.SetValue(c.section, c.key, *c.value);
        else
            merged.Remove(c.section, c.key);
    }
    const QByteArray after = merged.ToBytes();
    if (after != before && !WriteProfile(path_, after)) {
        Report(Problem::Unwritable, path_);
        return false;
    }
    text_ = std::move(merged);
    changes_.clear();
    return true;
}
