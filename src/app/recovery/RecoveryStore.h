// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where unsaved strips wait for the next start: the user's state folder
// ($XDG_STATE_HOME/quintara, normally ~/.local/state/quintara), one entry
// per running window. An entry is three files of one stem: the strip as a
// .V7N file, an info file with the path and title it belongs to, and a lock
// file that its program holds locked while it runs. An entry whose lock can
// be taken belongs to a program that is gone: it is left over.

#include <QString>
#include <QStringList>
#include <memory>
#include <string>

namespace recovery {

// $XDG_STATE_HOME/quintara, else ~/.local/state/quintara.
QString DefaultFolder();

// The path and the title the strip belongs to.
struct Info {
    QString path;
    QString title;
};
std::string EncodeInfo(const Info& info);
Info DecodeInfo(const std::string& bytes);

// An exclusive lock on a file, held while this object lives.
class Lock {
public:
    // The lock on path (made when `create`); null when the file is missing
    // or another program holds it.
    static std::unique_ptr<Lock> Take(const QString& path, bool create);
    ~Lock();
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

private:
    explicit Lock(int fd) : fd_(fd) {}
    int fd_;
};

class Store {
public:
    explicit Store(QString folder) : folder_(std::move(folder)) {}

    // Makes the folder for the user alone (0700). False when it cannot be
    // made, or exists with another owner, with rights for others or as a
    // link: then nothing is kept there.
    bool Prepare() const;
    const QString& Folder() const { return folder_; }

    QString StripPath(const QString& stem) const { return Path(stem, ".V7N"); }
    QString InfoPath(const QString& stem) const { return Path(stem, ".info"); }
    QString LockPath(const QString& stem) const { return Path(stem, ".lock"); }
    // A stem no other entry has, for this program's window.
    QString NewStem() const;
    // The stems of entries with a strip whose program is gone, newest first.
    QStringList Leftovers() const;
    // Removes an entry's strip, info and lock file.
    void Remove(const QString& stem) const;
    // Removes the lock files left by programs that ended without a strip to keep.
    void RemoveStaleLocks() const;

private:
    QString Path(const QString& stem, const char* suffix) const;

    QString folder_;
};

} // namespace recovery
