// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/NamenApp.h"

#include "app/AboutDlg.h"
#include "app/HelpWindow.h"
#include "app/MainFrame.h"
#include "app/recovery/RecoveryKeeper.h"
#include "app/recovery/RecoveryStore.h"
#include "device/PortsDialog.h"
#include "document/V7NamenDoc.h"
#include "platform/dialogs/WindowHost.h"
#include "platform/ui/StringTable.h"
#include "platform/ui/UiHost.h"
#include "resources/Resource.h"
#include "view/V7NamenView.h"

#include <QApplication>
#include <QScreen>

CNamenApp::CNamenApp(std::unique_ptr<Profile> profile)
    : SdiAppBase(LoadStr(IDR_MAINFRAME), std::move(profile)),
      helpExe_(QCoreApplication::applicationFilePath()) {
    OnCommand(ID_APP_ABOUT, [this] { OnAppAbout(); });
    OnCommand(ID_HELP_INDEX, [this] { OnHelp(); });
    OnCommand(ID_PORTS, [this] { OnPorts(); });
    OnCommand(ID_FILE_CALIBRATE, [this] { OnCalibrate(); });
    OnCommand(ID_FILE_PRINT_SHEET, [this] { OnPrintSheet(); });
    SetNameReceiver(&receiver_);
}

CNamenApp::~CNamenApp() {
    SetNameReceiver(nullptr);
}

bool CNamenApp::InitInstance(const CommandLineInfo& commandLine) {
    CMainFrame* framePtr = nullptr;
    CV7NamenView* view = nullptr;
    if (commandLine.IsBatch()) {
        // Printing from the command line shows no window: no frame is made.
        auto owned = std::make_unique<CV7NamenView>();
        view = owned.get();
        CreateDocumentView(std::make_unique<CV7NamenDoc>(), std::move(owned));
    } else {
        auto frame = std::make_unique<CMainFrame>();
        view = new CV7NamenView(frame.get());
        frame->setCentralWidget(view);
        frame->SetRecentFileList(&RecentFiles());
        framePtr = frame.get();
        CreateDocumentFrameView(std::make_unique<CV7NamenDoc>(), std::move(frame), view);
        framePtr->SetDropHandler([this](const QString& path) { OpenDocumentFile(path, true); });
        QObject::connect(view, &CV7NamenView::unfitCountChanged, framePtr,
                         &CMainFrame::SetUnfitCount);
        GetWindowHost().SetMainWindow(framePtr);
    }
    // Setting long names narrower (IDC_FIT_LONG_NAMES) lives in the profile; --fit turns it on
    // for one run without storing it.
    view->SetFitLongNames(
        commandLine.fitLongNames ||
        GetProfile().GetInt(QStringLiteral("Settings"), QStringLiteral("FitLongNames"), 0) != 0);
    view->SetFitOptionHandler([this](bool on) {
        GetProfile().SetInt(QStringLiteral("Settings"), QStringLiteral("FitLongNames"), on ? 1 : 0);
        GetProfile().Sync();
    });

    // The printing switches load their file the same way, then print it.
    const bool hasFile = commandLine.action == CommandLineInfo::Action::Open ||
                         (commandLine.IsBatch() && !commandLine.file.isEmpty());
    if (hasFile) {
        if (!OpenDocumentFile(commandLine.file, false))
            return false;
    } else {
        NewDocument();
    }
    if (framePtr)
        framePtr->UpdateCommandUi();
    return true;
}

void CNamenApp::ShowMainWindow() {
    CMainFrame* frame = MainFrame();
    QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size =
        CMainFrame::InitialSize(int(screen->logicalDotsPerInchX()),
                                int(screen->logicalDotsPerInchY()), screen->geometry().height());
    frame->move(100, 20);
    frame->resize(size);
    frame->show();
    // Centre the whole window, frame included, on the screen.
    const QRect outer = frame->frameGeometry();
    const QRect area = screen->availableGeometry();
    frame->move(area.center() - QPoint(outer.width() / 2, outer.height() / 2) +
                (frame->pos() - outer.topLeft()));
}

CMainFrame* CNamenApp::MainFrame() const {
    return static_cast<CMainFrame*>(Frame());
}

CV7NamenDoc* CNamenApp::GetDocument() const {
    return static_cast<CV7NamenDoc*>(Document());
}

CV7NamenView* CNamenApp::GetView() const {
    return static_cast<CV7NamenView*>(View());
}

void CNamenApp::OnAppAbout() {
    CAboutDlg dialog(MainFrame());
    GetWindowHost().RunModal(dialog);
}

void CNamenApp::OnPorts() {
    PortsDialog dialog(MainFrame());
    GetWindowHost().RunModal(dialog);
}

void CNamenApp::OnHelp() {
    const QString file = HelpWindow::FindHelpFile(helpExe_);
    if (!help_)
        help_ = std::make_unique<HelpWindow>();
    if (!help_->ShowContents(file))
        AppMessageBoxId(IDP_FAILED_TO_LAUNCH_HELP);
}
