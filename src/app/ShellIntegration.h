#pragma once
// The program's place on the desktop: a later `quintara FILE` hands FILE to
// this program instead of starting a second one, and the file type, the
// desktop entry and the icons are registered for the user when needed.

#include "app/CommandLine.h"

#include <QString>
#include <memory>
#include <thread>

class CNamenApp;
class ShellOpenServer;
class QTimer;

class ShellIntegration {
public:
    // serverName: the socket to use; by default the user's (found when a
    // start needs it, so that batch runs make no folder).
    explicit ShellIntegration(QString serverName = QString());
    ~ShellIntegration();
    ShellIntegration(const ShellIntegration&) = delete;
    ShellIntegration& operator=(const ShellIntegration&) = delete;

    // For a start that opens a file: hands it to the running program and
    // returns true when that took it (this start then ends with status 0).
    // Otherwise this program becomes the server for later starts. Printing,
    // --help and --version never get here, and an empty start just starts.
    // Without a safe folder for the socket (see shellopen::Folder) the
    // program runs on its own: no hand-over, no server.
    bool HandOver(const CommandLineInfo& commandLine, const QString& workingDir = QString());
    // Paths handed over from now on open in app's window.
    void Attach(CNamenApp& app);
    // Registers the desktop files on a worker thread, `delayMs` after the
    // event loop runs, so that it never competes with the first paint.
    void StartDesktopRegistration(int delayMs = 0);

    ShellOpenServer* Server() const { return server_.get(); }

    // What a handed-over path does: the window comes to the front, the
    // save-changes question is asked, then the file opens.
    static void OpenFromShell(CNamenApp& app, const QString& path);

private:
    QString name_;
    std::unique_ptr<ShellOpenServer> server_;
    std::unique_ptr<QTimer> registrationTimer_;
    std::thread registration_;
};
