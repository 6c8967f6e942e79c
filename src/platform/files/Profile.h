// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application's profile: quintara.ini in $XDG_CONFIG_HOME/quintara/
// (QSettings INI format), or the file named by QUINTARA_PROFILE.
//
// The profile is handled as carefully as a strip: it is read only when it
// is a regular file (a symbolic link to one included), opened without
// waiting, and written through the safe save, so a FIFO never blocks and a
// device, a folder or a socket under its name is never replaced. A profile
// that cannot be read or written costs its settings for the run (the
// defaults hold, changes last until the program ends), never the start.

#include "platform/files/IniText.h"

#include <QString>
#include <functional>
#include <optional>
#include <vector>

class Profile {
public:
    enum class Problem {
        NotAFile,   // something else than a regular file has the profile's name
        Unreadable, // a regular file that cannot be read, or is far too large
        Unwritable, // the changes could not be written
    };
    // Where the program says that its profile cannot be used. Each problem
    // is reported once per path and run; without a reporter nothing is said.
    using Reporter = std::function<void(Problem, const QString& path)>;
    static void SetReporter(Reporter reporter);

    // The profile file the program uses (environment and defaults applied).
    static QString DefaultPath();

    explicit Profile(const QString& path = DefaultPath());
    ~Profile();
    Profile(const Profile&) = delete;
    Profile& operator=(const Profile&) = delete;

    const QString& Path() const { return path_; }
    QString GetString(const QString& section, const QString& key,
                      const QString& fallback = QString()) const;
    int GetInt(const QString& section, const QString& key, int fallback) const;
    void SetString(const QString& section, const QString& key, const QString& value);
    void SetInt(const QString& section, const QString& key, int value);
    void Remove(const QString& section, const QString& key);
    // Writes the changes to disk, onto what the file holds by then (another
    // run may have written it meanwhile); false when they could not be
    // written, and then they still hold for this run.
    bool Sync();

private:
    struct Change {
        QString section;
        QString key;
        std::optional<QString> value; // none: removed
    };
    // The file's entries, read on first use so that start-up does not wait
    // for the disk.
    IniText& Text() const;
    void Put(const QString& section, const QString& key, std::optional<QString> value);

    QString path_;
    mutable std::optional<IniText> text_;
    std::vector<Change> changes_;
};
