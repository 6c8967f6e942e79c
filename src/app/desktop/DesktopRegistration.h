#pragma once
// Registers the file type, the desktop entry and the icons in the user's
// data folder when the program runs from a build or a per-user location, so
// that the desktop opens .V7N files with it. A system-wide install brings
// these files itself and needs none of it. Only files that differ are
// written, and the desktop's databases are refreshed only when something
// changed (or when they do not know the program yet).
//
// Update() does file work only and may run on a worker thread.

#include <QString>
#include <QStringList>
#include <functional>

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
        bool failed = false;   // a file could not be written (the rest still were)
        QStringList refreshed; // the refresh tools started
    };

    // The running program and the user's data folder.
    static Setup DefaultSetup();
    static QString DataHome();
    // True when executable lives in <prefix>/bin of a system prefix whose
    // share/ holds the installed desktop entry and MIME package.
    static bool IsSystemInstall(const Setup& setup);
    static Result Update(const Setup& setup);
    static void StartDetached(const QString& program, const QStringList& arguments);
};
