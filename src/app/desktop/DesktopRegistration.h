// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Registers the file type, the desktop entry and the icons in the user's
// data folder when the program runs from a build or a per-user location, so
// that the desktop opens .V7N files with it. A system-wide install brings
// these files itself and needs none of it. Only files that differ are
// written, and the desktop's databases are refreshed only when something
// changed (or when they do not know the program yet).
//
// Only regular files (or links to them) are read or replaced: a FIFO, a
// device or a folder in the place of a file is left alone, unread, and a
// file is read only up to a bound, so that nothing in the data folder can
// block the registration or fill the memory. Files are written through the
// safe save.
//
// Update() does file work only and may run on a worker thread.

#include "app/desktop/DesktopFiles.h"

#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <vector>

class DesktopRegistration {
public:
    // Starts a refresh tool; the default starts it detached and quiet.
    using Launcher = std::function<void(const QString& program, const QStringList& arguments)>;

    struct Setup {
        QString executable; // the running program, absolute
        QString dataHome;   // $XDG_DATA_HOME, else ~/.local/share
        QStringList systemPrefixes{QStringLiteral("/usr"), QStringLiteral("/usr/local")};
        Launcher launcher; // empty: StartDetached
    };

    struct Result {
        bool systemInstall = false;
        int filesWritten = 0;
        // A file could not be written, or something else than a regular
        // file stood in its place (the rest still were written).
        bool failed = false;
        QStringList refreshed; // the refresh tools started
    };

    // The largest database file (globs2, mimeinfo.cache) that is looked
    // into; a larger one counts as not knowing the program.
    static constexpr qint64 kMaxDatabaseBytes = 8 * 1024 * 1024;
    // A refresh tool still running after this is ended.
    static constexpr int kToolLimitSeconds = 60;

    // The running program and the user's data folder.
    static Setup DefaultSetup();
    static QString DataHome();
    // True when executable lives in <prefix>/bin of a system prefix whose
    // share/ holds the installed desktop entry and MIME package.
    static bool IsSystemInstall(const Setup& setup);
    // All of it: the system-install check, the files, the databases.
    static Result Update(const Setup& setup);
    // Writes those of files that differ and refreshes the databases, for a
    // setup that is no system install. Once *cancelled is true, nothing
    // more is started: no further file, no tool.
    static Result Apply(const Setup& setup, const std::vector<DesktopFiles::File>& files,
                        const std::atomic<bool>* cancelled = nullptr);
    // The default launcher: the tool runs detached, quiet and at most
    // kToolLimitSeconds.
    static void StartDetached(const QString& program, const QStringList& arguments);
};
