// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/handover/HandOver.h"

#include "app/MainFrame.h"
#include "app/NamenApp.h"
#include "app/handover/HandOverClient.h"
#include "app/handover/HandOverProtocol.h"
#include "app/handover/HandOverServer.h"
#include "app/handover/WindowActivation.h"
#include "platform/ui/FormatText.h"
#include "resources/Resource.h"

#include <QCoreApplication>
#include <QDir>
#include <QLockFile>
#include <cstdio>

namespace {

// The running program answers within milliseconds; a program that does not
// answer in this time is hung, and this start opens the file itself.
constexpr int kHandOverTimeoutMs = 2000;

} // namespace

HandOver::HandOver(QString serverName) : name_(std::move(serverName)) {}

HandOver::~HandOver() = default;

bool HandOver::Offer(const CommandLineInfo& commandLine, const QString& workingDir,
                     const QByteArray& token) {
    using A = CommandLineInfo::Action;
    if (commandLine.action != A::New && commandLine.action != A::Open)
        return false;
    // Without a folder of the user's own there is neither hand-over nor
    // server: a place that another user controls could take the file.
    if (name_.isEmpty())
        name_ = handover::ServerName();
    const QString lockPath = handover::LockPath();
    if (name_.isEmpty() || lockPath.isEmpty()) {
        // The session's folder is meant to be the user's alone; one that is
        // not is a mistake the user should hear of.
        const QString shared = handover::SharedRuntimeDir();
        if (!shared.isEmpty())
            std::fprintf(stderr, "Quintara: %s\n",
                         qUtf8Printable(FormatString(IDS_HANDOVER_SHARED_RUNTIME, {shared})));
        return false;
    }
    // Two programs starting at once must not both decide to become the
    // server (each removing the other's socket as stale).
    QLockFile lock(lockPath);
    lock.tryLock(kHandOverTimeoutMs);

    if (commandLine.action == A::Open) {
        const QString dir = workingDir.isEmpty() ? QDir::currentPath() : workingDir;
        const QString path = HandOverClient::Resolve(commandLine.file, dir);
        const auto outcome = HandOverClient::Send(name_, path, kHandOverTimeoutMs, token);
        if (outcome == HandOverClient::Outcome::Accepted)
            return true;
    }
    server_ = std::make_unique<HandOverServer>(name_);
    if (!server_->Listen())
        server_.reset(); // another program serves; this one runs on its own
    return false;
}

void HandOver::Attach(CNamenApp& app) {
    if (!server_)
        return;
    server_->SetHandler(
        [&app](const QString& path, const QByteArray& token) { OpenHandedOver(app, path, token); });
    // Nothing may reach the application once it is being taken down.
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, server_.get(),
                     [server = server_.get()] { server->SetHandler(HandOverServer::Handler()); });
}

void HandOver::OpenHandedOver(CNamenApp& app, const QString& path, const QByteArray& token) {
    if (CMainFrame* frame = app.MainFrame())
        handover::BringToFront(*frame, token);
    app.OpenDocumentFile(path, true);
}
