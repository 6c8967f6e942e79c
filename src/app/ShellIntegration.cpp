#include "app/ShellIntegration.h"

#include "app/DesktopRegistration.h"
#include "app/MainFrame.h"
#include "app/NamenApp.h"
#include "app/ShellOpenClient.h"
#include "app/ShellOpenProtocol.h"
#include "app/ShellOpenServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QLockFile>
#include <QTimer>

namespace {

// The running program answers within milliseconds; a program that does not
// answer in this time is hung, and this start opens the file itself.
constexpr int kHandOverTimeoutMs = 2000;

} // namespace

ShellIntegration::ShellIntegration(QString serverName) : name_(std::move(serverName)) {}

ShellIntegration::~ShellIntegration() {
    if (registration_.joinable())
        registration_.join();
}

bool ShellIntegration::HandOver(const CommandLineInfo& commandLine, const QString& workingDir) {
    using A = CommandLineInfo::Action;
    if (commandLine.action != A::New && commandLine.action != A::Open)
        return false;
    // Without a folder of the user's own there is neither hand-over nor
    // server: a place that another user controls could take the file.
    if (name_.isEmpty())
        name_ = shellopen::ServerName();
    const QString lockPath = shellopen::LockPath();
    if (name_.isEmpty() || lockPath.isEmpty())
        return false;
    // Two programs starting at once must not both decide to become the
    // server (each removing the other's socket as stale).
    QLockFile lock(lockPath);
    lock.tryLock(kHandOverTimeoutMs);

    if (commandLine.action == A::Open) {
        const QString dir = workingDir.isEmpty() ? QDir::currentPath() : workingDir;
        const QString path = ShellOpenClient::Resolve(commandLine.file, dir);
        const auto outcome = ShellOpenClient::Send(name_, path, kHandOverTimeoutMs);
        if (outcome == ShellOpenClient::Outcome::Accepted)
            return true;
    }
    server_ = std::make_unique<ShellOpenServer>(name_);
    if (!server_->Listen())
        server_.reset(); // another program serves; this one runs on its own
    return false;
}

void ShellIntegration::Attach(CNamenApp& app) {
    if (!server_)
        return;
    server_->SetHandler([&app](const QString& path) { OpenFromShell(app, path); });
    // Nothing may reach the application once it is being taken down.
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, server_.get(),
                     [server = server_.get()] { server->SetHandler({}); });
}

void ShellIntegration::OpenFromShell(CNamenApp& app, const QString& path) {
    if (CMainFrame* frame = app.MainFrame()) {
        frame->setWindowState(frame->windowState() & ~Qt::WindowMinimized);
        frame->show();
        frame->raise();
        frame->activateWindow();
    }
    app.OpenDocumentFile(path, true);
}

void ShellIntegration::StartDesktopRegistration(int delayMs) {
    if (registration_.joinable() || registrationTimer_)
        return;
    registrationTimer_ = std::make_unique<QTimer>();
    registrationTimer_->setSingleShot(true);
    QObject::connect(registrationTimer_.get(), &QTimer::timeout, [this] {
        DesktopRegistration::Setup setup = DesktopRegistration::DefaultSetup();
        registration_ = std::thread([setup] { DesktopRegistration::Update(setup); });
    });
    registrationTimer_->start(delayMs);
}
