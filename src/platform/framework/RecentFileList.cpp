// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/framework/RecentFileList.h"

#include "platform/files/Profile.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString kSection = QStringLiteral("Recent File List");
QString Key(int i) {
    return QStringLiteral("File%1").arg(i + 1);
}
} // namespace

const QStringList& RecentFileList::Loaded() const {
    if (!loaded_)
        const_cast<RecentFileList*>(this)->ReadList();
    return entries_;
}

void RecentFileList::ReadList() {
    loaded_ = true;
    entries_.clear();
    for (int i = 0; i < kSize; ++i) {
        const QString path = profile_.GetString(kSection, Key(i));
        if (!path.isEmpty() && !entries_.contains(path))
            entries_.append(path);
    }
}

void RecentFileList::HoldWrites(bool hold) {
    held_ = hold;
    if (!held_ && unwritten_)
        WriteList();
}

void RecentFileList::WriteList() {
    if (held_) {
        unwritten_ = true;
        return;
    }
    unwritten_ = false;
    for (int i = 0; i < kSize; ++i) {
        if (i < entries_.size())
            profile_.SetString(kSection, Key(i), entries_.at(i));
        else
            profile_.Remove(kSection, Key(i));
    }
    profile_.Sync();
}

void RecentFileList::Add(const QString& path) {
    const QString full = QFileInfo(path).absoluteFilePath();
    Loaded();
    entries_.removeAll(full);
    entries_.prepend(full);
    while (entries_.size() > kSize)
        entries_.removeLast();
    WriteList();
}

void RecentFileList::Remove(int index) {
    if (index < 0 || index >= Loaded().size())
        return;
    entries_.removeAt(index);
    WriteList();
}

QString RecentFileList::MenuText(int index) const {
    if (index < 0 || index >= Loaded().size())
        return QString();
    QString name = AbbreviatePath(QDir::toNativeSeparators(entries_.at(index)), kDisplayWidth);
    name.replace(QLatin1Char('&'), QLatin1String("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(name);
}

QString RecentFileList::AbbreviatePath(const QString& path, int width) {
    if (path.size() <= width)
        return path;
    const QChar sep = QLatin1Char('/');
    QStringList parts = path.split(sep);
    QString fileName = parts.isEmpty() ? path : parts.last();
    if (parts.size() < 3)
        return fileName;
    // parts[0] is empty for an absolute path; keep the root and first folder.
    const QString head = parts.at(0).isEmpty() ? sep + parts.at(1) : parts.at(0);
    const int firstTail = parts.at(0).isEmpty() ? 2 : 1;
    for (int start = firstTail + 1; start < parts.size(); ++start) {
        QString candidate = head + sep + QLatin1String("...") + sep + parts.mid(start).join(sep);
        if (candidate.size() <= width)
            return candidate;
    }
    return fileName;
}
