// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The recent-file list: the last four documents opened or saved, newest
// first, kept in the profile section "Recent File List" as File1..File4.

#include <QString>
#include <QStringList>

class Profile;

class RecentFileList {
public:
    static constexpr int kSize = 4;
    static constexpr int kDisplayWidth = 30;

    explicit RecentFileList(Profile& profile) : profile_(profile) {}

    // Reads the list from the profile (again); otherwise it is read on first use.
    void ReadList();
    void WriteList();
    // While held, changes wait in memory and are written when released:
    // the file named at start is listed without the profile's write (and
    // its disk flushes) before the window's first paint.
    void HoldWrites(bool hold);

    // Puts the path first; an entry for the same file moves up instead of
    // being listed twice.
    void Add(const QString& path);
    void Remove(int index);
    int Count() const { return int(Loaded().size()); }
    const QStringList& Entries() const { return Loaded(); }
    // Menu text of entry index: "&1 " and the path shortened to 30 characters.
    QString MenuText(int index) const;

    // The path shortened for display: the whole path when it fits `width`;
    // else the first folder, "...", and as many trailing parts as fit; else
    // the file name alone.
    static QString AbbreviatePath(const QString& path, int width);

private:
    // The list, read from the profile the first time it is needed, so that
    // start-up does not wait for the profile.
    const QStringList& Loaded() const;

    Profile& profile_;
    mutable QStringList entries_;
    mutable bool loaded_ = false;
    bool held_ = false;
    bool unwritten_ = false;
};
