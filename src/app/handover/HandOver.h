// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The hand-over: a later `quintara FILE` hands FILE to the program already
// running for the same user instead of starting a second one.

#include "app/CommandLine.h"

#include <QByteArray>
#include <QString>
#include <memory>

class CNamenApp;
class HandOverServer;

class HandOver {
public:
    // serverName: the socket to use; by default the user's (found when a
    // start needs it, so that batch runs make no folder).
    explicit HandOver(QString serverName = QString());
    ~HandOver();
    HandOver(const HandOver&) = delete;
    HandOver& operator=(const HandOver&) = delete;

    // For a start that opens a file: hands it to the running program and
    // returns true when that took it (this start then ends with status 0).
    // Otherwise this program becomes the server for later starts. Printing,
    // --help and --version never get here, and an empty start just starts.
    // Without a safe folder for the socket (see handover::Folder) the
    // program runs on its own: no hand-over, no server. token is this
    // start's activation token (handover::ActivationToken()), passed with
    // the file.
    bool Offer(const CommandLineInfo& commandLine, const QString& workingDir = QString(),
               const QByteArray& token = QByteArray());
    // Paths handed over from now on open in app's window.
    void Attach(CNamenApp& app);
    HandOverServer* Server() const { return server_.get(); }

    // What a handed-over path does: the window comes to the front (with
    // the sender's activation token), the save-changes question is asked,
    // then the file opens.
    static void OpenHandedOver(CNamenApp& app, const QString& path,
                               const QByteArray& token = QByteArray());

private:
    QString name_;
    std::unique_ptr<HandOverServer> server_;
};
