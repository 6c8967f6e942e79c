// SPDX-License-Identifier: GPL-3.0-or-later
// A second `quintara FILE` hands FILE to the program already running.
// These tests start the real program as the second process.

#include "app/handover/HandOver.h"
#include "AppFixture.h"
#include "Slowdown.h"
#include "StripFiles.h"
#include "app/handover/HandOverClient.h"
#include "app/handover/HandOverProtocol.h"
#include "app/handover/HandOverServer.h"
#include "app/handover/WindowActivation.h"
#include "platform/ui/FormatText.h"
#include "resources/Resource.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QLockFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <optional>
#include <poll.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// Long enough for a slow machine or a sanitizer build; a wait that succeeds
// ends as soon as its condition holds.
constexpr int kPatienceMs = 10000;

bool WaitUntil(const std::function<bool()>& done, int timeoutMs = kPatienceMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QTest::qWait(10);
    }
    return true;
}

// Runs the program, serving this process's events meanwhile (the server
// lives on this thread); its exit status, -1 when it crashed or did not end
// by itself (a failure of the test).
int RunQuintara(const QStringList& args, const QString& workingDir) {
    QProcess process;
    process.setWorkingDirectory(workingDir);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QStringLiteral(QUINTARA_BINARY_DIR "/quintara"), args);
    if (!process.waitForStarted(kPatienceMs)) {
        ADD_FAILURE() << "quintara did not start: " << process.errorString().toStdString();
        return -1;
    }
    if (WaitUntil([&] { return process.state() == QProcess::NotRunning; }, 3 * kPatienceMs))
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    ADD_FAILURE() << "quintara " << args.join(' ').toStdString() << " did not end";
    process.kill();
    process.waitForFinished(2000);
    return -1;
}

// A socket file that nobody serves, as a crashed program leaves it.
void LeaveStaleSocket(const QString& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    ASSERT_LT(size_t(name.size()), sizeof(addr.sun_path));
    std::memcpy(addr.sun_path, name.constData(), size_t(name.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)), 0);
    ::close(fd);
    ASSERT_TRUE(QFileInfo::exists(path));
}

// Hands path over from another thread while this one serves events.
HandOverClient::Outcome SendServed(const QString& name, const QString& path) {
    std::atomic<bool> done{false};
    HandOverClient::Outcome outcome{};
    std::thread client([&] {
        outcome = HandOverClient::Send(name, path, 2000);
        done = true;
    });
    EXPECT_TRUE(WaitUntil([&] { return done.load(); })) << "the hand-over did not finish";
    client.join();
    return outcome;
}

sockaddr_un SocketAddress(const QString& path) {
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    std::memcpy(addr.sun_path, name.constData(),
                std::min(size_t(name.size()), sizeof(addr.sun_path) - 1));
    return addr;
}

// Waits for a byte on fd; 0 when none came.
char ReadByte(int fd, int timeoutMs) {
    pollfd p{fd, POLLIN, 0};
    char c = 0;
    if (::poll(&p, 1, timeoutMs) == 1 && ::read(fd, &c, 1) == 1)
        return c;
    return 0;
}

// Sends raw bytes from another thread and returns the answer byte (0: none).
char SendRaw(const QString& name, const QByteArray& bytes) {
    std::atomic<char> answer{0};
    std::atomic<bool> done{false};
    std::thread client([&] {
        const auto finished = qScopeGuard([&] { done = true; });
        const sockaddr_un addr = SocketAddress(name);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return;
        const auto closer = qScopeGuard([fd] { ::close(fd); });
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0 ||
            ::send(fd, bytes.constData(), size_t(bytes.size()), MSG_NOSIGNAL) != bytes.size())
            return;
        const char c = ReadByte(fd, 3000);
        if (c == handover::kAccepted)
            (void)!::send(fd, &handover::kConfirmed, 1, MSG_NOSIGNAL);
        answer = c;
    });
    // The client's own time-outs end it long before this.
    EXPECT_TRUE(WaitUntil([&] { return done.load(); }, 2 * kPatienceMs))
        << "the client did not finish";
    client.join();
    return answer;
}

// Another local user, for which this process must be root.
struct OtherUser {
    uid_t uid = 0;
    gid_t gid = 0;
};
std::optional<OtherUser> Nobody() {
    const passwd* pw = ::geteuid() == 0 ? ::getpwnam("nobody") : nullptr;
    if (!pw)
        return std::nullopt;
    return OtherUser{pw->pw_uid, pw->pw_gid};
}

// Runs body in a child process and returns the child's exit status,
// serving this process's events meanwhile. body must keep to plain system
// calls: the child has none of Qt's threads.
int RunChild(const std::function<int()>& body, const std::function<void()>& meanwhile = {}) {
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(body());
    if (pid < 0)
        return -1;
    if (meanwhile)
        meanwhile();
    int status = 0;
    if (!WaitUntil([&] { return ::waitpid(pid, &status, WNOHANG) == pid; }, 3 * kPatienceMs)) {
        ADD_FAILURE() << "the child did not end";
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// RunChild as user (status 99: privileges not dropped).
int RunAs(const OtherUser& user, const std::function<int()>& body,
          const std::function<void()>& meanwhile = {}) {
    return RunChild(
        [&] {
            if (::setgroups(0, nullptr) != 0 || ::setgid(user.gid) != 0 || ::setuid(user.uid) != 0)
                return 99;
            return body();
        },
        meanwhile);
}

class HandOverTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        // A runtime folder of this test's own, which the programs it starts
        // inherit: they find the server the same way.
        savedRuntime = qgetenv("XDG_RUNTIME_DIR");
        ASSERT_TRUE(QDir(dir.path()).mkpath("run"));
        ASSERT_EQ(::chmod(QFile::encodeName(dir.filePath("run")).constData(), 0700), 0);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir.filePath("run")));
        name = handover::ServerName();
    }
    void TearDown() override {
        AppFixture::TearDown();
        qputenv("XDG_RUNTIME_DIR", savedRuntime);
    }
    // A running program whose hand-overs are only recorded.
    std::unique_ptr<HandOver> RecordingProgram() {
        auto shell = std::make_unique<HandOver>(name);
        EXPECT_FALSE(shell->Offer(CommandLineInfo{}));
        EXPECT_NE(shell->Server(), nullptr);
        if (shell->Server())
            shell->Server()->SetHandler([this](const QString& path) { received << path; });
        return shell;
    }

    QByteArray savedRuntime;
    QString name;
    QStringList received;
};

CommandLineInfo Cmd(CommandLineInfo::Action action, const QString& file = QString()) {
    CommandLineInfo cmd;
    cmd.action = action;
    cmd.file = file;
    return cmd;
}

} // namespace

TEST_F(HandOverTest, RelativePathWithBlanksAndUmlautsOpensInTheRunningWindow) {
    Start();
    HandOver shell(name);
    ASSERT_FALSE(shell.Offer(CommandLineInfo{}));
    shell.Attach(*app);
    Doc().SetName(0, "Zentrale");
    ui->messageAnswers = {MbResult::No};

    ASSERT_TRUE(QDir(dir.path()).mkpath("Neuer Ordner"));
    const QString file = dir.filePath("Neuer Ordner/Grüße für Jürgen.V7N");
    WriteFileBytes(file, TestDataFile("demo.V7N"));

    // The second program resolves the path against its own working folder.
    ASSERT_EQ(RunQuintara({"Neuer Ordner/Grüße für Jürgen.V7N"}, dir.path()), 0);
    // The running program holds no lock that would keep the next start waiting.
    EXPECT_TRUE(QLockFile(handover::LockPath()).tryLock(0));
    ASSERT_TRUE(WaitUntil([&] { return Doc().GetPathName() == file; }))
        << Doc().GetPathName().toStdString();
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].text, QString::fromUtf8("Änderungen in Unbenannt speichern?"));
    EXPECT_EQ(Frame().windowTitle(), QString::fromUtf8("Grüße für Jürgen.V7N - Quintara"));
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(HandOverTest, PrintingInfoAndEmptyStartsAreNeverHandedOver) {
    const auto running = RecordingProgram();
    const QString file = dir.filePath("a.V7N");
    WriteFileBytes(file, TestDataFile("demo.V7N"));

    using A = CommandLineInfo::Action;
    for (const auto& cmd : {Cmd(A::Print, file), Cmd(A::PrintTo, file), Cmd(A::PrintToPdf, file),
                            Cmd(A::Help), Cmd(A::Version)}) {
        HandOver other(name);
        EXPECT_FALSE(other.Offer(cmd));
        EXPECT_EQ(other.Server(), nullptr) << "a batch run must not serve";
    }
    // The real program too: it prints (or says why not) and ends by itself.
    EXPECT_TRUE(RunQuintara({"--print-to-pdf", dir.filePath("out.pdf"), file}, dir.path()) >= 0);
    EXPECT_EQ(RunQuintara({"--version"}, dir.path()), 0);

    // A start without a file is a program of its own and leaves the server
    // to the first one.
    HandOver empty(name);
    EXPECT_FALSE(empty.Offer(CommandLineInfo{}));
    EXPECT_EQ(empty.Server(), nullptr);

    // The first program still takes files. Whatever was handed over above
    // was confirmed before this start connected, and paths reach the
    // handler in order: once this file is there, anything else would be too.
    EXPECT_EQ(RunQuintara({file}, "/"), 0);
    EXPECT_TRUE(WaitUntil([&] { return received.contains(file); }));
    EXPECT_EQ(received, QStringList{file}) << received.join('|').toStdString();
}

TEST_F(HandOverTest, EachDisplayHasItsOwnWindowAndTheStartsTokenComesWithTheFile) {
    const QByteArray savedX11 = qgetenv("DISPLAY");
    const QByteArray savedWayland = qgetenv("WAYLAND_DISPLAY");
    const auto restore = qScopeGuard([&] {
        qputenv("DISPLAY", savedX11);
        qputenv("WAYLAND_DISPLAY", savedWayland);
        qunsetenv("XDG_ACTIVATION_TOKEN");
        qunsetenv("DESKTOP_STARTUP_ID");
    });
    struct Window {
        std::unique_ptr<HandOver> shell;
        QStringList received;
    };
    const auto serve = [](Window& window) {
        window.shell = std::make_unique<HandOver>(handover::ServerName());
        EXPECT_FALSE(window.shell->Offer(CommandLineInfo{}));
        ASSERT_NE(window.shell->Server(), nullptr);
        window.shell->Server()->SetHandler([&window](const QString& path, const QByteArray& token) {
            window.received << path + "|" + QString::fromLatin1(token);
        });
    };
    Window x11;
    Window wayland;
    qunsetenv("WAYLAND_DISPLAY");
    qputenv("DISPLAY", ":71");
    serve(x11);
    const QString x11Name = handover::ServerName();
    qputenv("DISPLAY", ":71.0"); // the same server's screen 0
    EXPECT_EQ(handover::ServerName(), x11Name);
    qputenv("WAYLAND_DISPLAY", "../wayland 7");
    EXPECT_EQ(QFileInfo(handover::ServerName()).fileName(), "quintara-.._wayland_7.sock");
    serve(wayland);

    const QString a = dir.filePath("a.V7N");
    const QString b = dir.filePath("b.V7N");
    qputenv("XDG_ACTIVATION_TOKEN", "wl-token-1");
    EXPECT_EQ(RunQuintara({b}, dir.path()), 0);
    qunsetenv("XDG_ACTIVATION_TOKEN");
    qunsetenv("WAYLAND_DISPLAY");
    qputenv("DESKTOP_STARTUP_ID", "launcher-9_TIME4711");
    EXPECT_EQ(RunQuintara({a}, dir.path()), 0);
    qunsetenv("DESKTOP_STARTUP_ID");
    ASSERT_TRUE(WaitUntil([&] { return !x11.received.isEmpty() && !wayland.received.isEmpty(); }));
    EXPECT_EQ(x11.received, QStringList{a + "|launcher-9_TIME4711"});
    EXPECT_EQ(wayland.received, QStringList{b + "|wl-token-1"});
    EXPECT_EQ(handover::StartupIdTime("launcher-9_TIME4711"), 4711u);

    // A start on a display without a window opens its own; a sender
    // without a token is served as before.
    qputenv("DISPLAY", ":72");
    HandOver third(handover::ServerName());
    EXPECT_FALSE(third.Offer(Cmd(CommandLineInfo::Action::Open, a)));
    EXPECT_NE(third.Server(), nullptr);
    qputenv("DISPLAY", ":71");
    EXPECT_EQ(SendServed(x11Name, b), HandOverClient::Outcome::Accepted);
    EXPECT_TRUE(WaitUntil([&] { return x11.received.size() == 2; }));
    EXPECT_EQ(x11.received.value(1), b + "|");
}

TEST_F(HandOverTest, StaleSocketOfACrashedProgramIsTakenOver) {
    LeaveStaleSocket(name);
    const QString file = dir.filePath("b.V7N");
    WriteFileBytes(file, TestDataFile("demo.V7N"));

    // The first start finds nobody behind the socket, opens the file itself
    // and serves from now on.
    HandOver first(name);
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(first.Offer(Cmd(CommandLineInfo::Action::Open, file)));
    EXPECT_LT(timer.elapsed(), 2000 * SanitizerSlowdown())
        << "a wait for the dead socket lasts the 2 s time-out";
    ASSERT_NE(first.Server(), nullptr);
    EXPECT_TRUE(first.Server()->IsListening());
    first.Server()->SetHandler([this](const QString& path) { received << path; });

    // A live server is not mistaken for a stale one.
    HandOverServer intruder(name);
    EXPECT_FALSE(intruder.Listen());

    ASSERT_EQ(RunQuintara({file}, dir.path()), 0);
    EXPECT_TRUE(WaitUntil([&] { return received == QStringList{file}; }));
}

TEST_F(HandOverTest, FileWaitsWhileAModalWindowIsOpen) {
    const auto running = RecordingProgram();
    QDialog dialog;
    dialog.setModal(true);
    dialog.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &dialog);

    const QString file = dir.filePath("c.V7N");
    // The second program is answered at once, while the dialog is open.
    ASSERT_EQ(RunQuintara({file}, dir.path()), 0);
    ASSERT_TRUE(
        WaitUntil([&] { return running->Server()->PendingCount() == 1 || !received.isEmpty(); }));
    // The confirmation asked for a delivery before this marker was started,
    // so by the time it fires the delivery has met the dialog.
    bool marker = false;
    QObject context;
    QTimer::singleShot(0, &context, [&] { marker = true; });
    ASSERT_TRUE(WaitUntil([&] { return marker; }));
    EXPECT_TRUE(received.isEmpty()) << received.join('|').toStdString();
    EXPECT_EQ(running->Server()->PendingCount(), 1);

    dialog.accept();
    EXPECT_TRUE(WaitUntil([&] { return received == QStringList{file}; }));
}

TEST_F(HandOverTest, MalformedRequestsAreRefused) {
    const auto running = RecordingProgram();
    EXPECT_EQ(SendRaw(name, "GET / HTTP/1.0\r\n\r\n"), handover::kRejected);
    // A length far beyond any path is refused before anything is buffered.
    QByteArray huge = handover::EncodeRequest("/x");
    huge[4] = '\x7f';
    EXPECT_EQ(SendRaw(name, huge), handover::kRejected);
    // Only the sender knows what a relative path is relative to.
    EXPECT_EQ(SendRaw(name, handover::EncodeRequest("relativ.V7N")), handover::kRejected);
    EXPECT_EQ(SendRaw(name, handover::EncodeRequest("/t.V7N", "mit Leerzeichen")),
              handover::kRejected);
    EXPECT_EQ(SendRaw(name, handover::EncodeRequest("/t.V7N", QByteArray(513, 't'))),
              handover::kRejected);
    EXPECT_EQ(SendRaw(name, handover::EncodeRequest("/ok/ä b.V7N")), handover::kAccepted);
    EXPECT_TRUE(WaitUntil([&] { return !received.isEmpty(); }));
    EXPECT_EQ(received, QStringList{"/ok/ä b.V7N"});
}

TEST_F(HandOverTest, WithoutRuntimeFolderOnlyAPrivateFolderIsUsed) {
    qunsetenv("XDG_RUNTIME_DIR");
    const QByteArray savedTmp = qgetenv("TMPDIR");
    ASSERT_TRUE(QDir(dir.path()).mkpath("tmp"));
    qputenv("TMPDIR", QFile::encodeName(dir.filePath("tmp")));
    const QString folder = dir.filePath(QStringLiteral("tmp/quintara-%1").arg(::getuid()));
    const QByteArray native = QFile::encodeName(folder);
    const QString file = dir.filePath("d.V7N");

    // Made for this user only, and the hand-over works through it.
    const QString display = handover::DisplayPart();
    const QString stem = folder + "/quintara" + (display.isEmpty() ? "" : "-" + display);
    EXPECT_EQ(handover::ServerName(), stem + ".sock");
    EXPECT_EQ(handover::LockPath(), stem + ".lock");
    struct stat info {};
    ASSERT_EQ(::lstat(native.constData(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(info.st_mode & 07777, 0700u);
    {
        HandOver first;
        EXPECT_FALSE(first.Offer(CommandLineInfo{}));
        ASSERT_NE(first.Server(), nullptr);
        first.Server()->SetHandler([this](const QString& path) { received << path; });
        EXPECT_EQ(RunQuintara({file}, dir.path()), 0);
        EXPECT_TRUE(WaitUntil([&] { return received == QStringList{file}; }));
    }

    // A name that another user may have made first is not used at all: the
    // program neither hands over nor serves.
    const auto expectRefused = [&](const char* what) {
        EXPECT_TRUE(handover::ServerName().isEmpty()) << what;
        HandOver shell;
        EXPECT_FALSE(shell.Offer(Cmd(CommandLineInfo::Action::Open, file))) << what;
        EXPECT_EQ(shell.Server(), nullptr) << what;
    };
    ASSERT_EQ(::chmod(native.constData(), 0755), 0);
    expectRefused("open to others");
    ASSERT_EQ(::chmod(native.constData(), 0700), 0);
    if (const auto nobody = Nobody()) {
        ASSERT_EQ(::chown(native.constData(), nobody->uid, nobody->gid), 0);
        expectRefused("another owner");
        ASSERT_EQ(::chown(native.constData(), ::getuid(), ::getgid()), 0);
    }
    ASSERT_TRUE(QDir(folder).removeRecursively());
    ASSERT_TRUE(QDir(dir.path()).mkdir("elsewhere"));
    ASSERT_EQ(::chmod(QFile::encodeName(dir.filePath("elsewhere")).constData(), 0700), 0);
    ASSERT_TRUE(QFile::link(dir.filePath("elsewhere"), folder));
    expectRefused("a link");
    ASSERT_TRUE(QFile::remove(folder));
    WriteFileBytes(folder, {});
    expectRefused("a file");
    qputenv("TMPDIR", savedTmp);
}

TEST_F(HandOverTest, AStartThatGaveUpWaitingIsNeverServed) {
    const auto running = RecordingProgram();
    // This program is busy (or stopped) past the start's deadline: the
    // start opens the file itself, and this program, once it gets to the
    // request, must not open it a second time.
    HandOverClient::Outcome outcome{};
    std::thread client([&] { outcome = HandOverClient::Send(name, "/spaet.V7N", 300); });
    client.join();
    EXPECT_EQ(outcome, HandOverClient::Outcome::NoAnswer);

    // Served in time, the next start hands over as usual. The late request
    // and its close were there before this start connected, and paths reach
    // the handler in order: had the late one been taken, it would come first.
    EXPECT_EQ(SendServed(name, "/puenktlich.V7N"), HandOverClient::Outcome::Accepted);
    EXPECT_TRUE(WaitUntil([&] { return received.contains("/puenktlich.V7N"); }));
    EXPECT_EQ(received, QStringList{"/puenktlich.V7N"}) << received.join('|').toStdString();
    EXPECT_EQ(running->Server()->PendingCount(), 0);
}

TEST_F(HandOverTest, SixteenFilesWaitAndMoreAreRefused) {
    HandOver shell(name);
    ASSERT_FALSE(shell.Offer(CommandLineInfo{}));
    ASSERT_NE(shell.Server(), nullptr);
    QStringList sent;
    for (int i = 0; i < handover::kMaxPending; ++i) {
        sent << QStringLiteral("/q/%1.V7N").arg(i);
        EXPECT_EQ(SendServed(name, sent.back()), HandOverClient::Outcome::Accepted) << i;
    }
    // The start with a seventeenth file opens it itself.
    EXPECT_EQ(SendServed(name, "/q/mehr.V7N"), HandOverClient::Outcome::Rejected);
    EXPECT_EQ(shell.Server()->PendingCount(), handover::kMaxPending);

    shell.Server()->SetHandler([this](const QString& path) { received << path; });
    EXPECT_TRUE(WaitUntil([&] { return received == sent; }));
    EXPECT_EQ(SendServed(name, "/q/danach.V7N"), HandOverClient::Outcome::Accepted);
}

TEST_F(HandOverTest, AProgramOfAnotherUserIsRefusedOnBothEnds) {
    const auto nobody = Nobody();
    if (!nobody)
        GTEST_SKIP() << "acting as another user needs root";
    // A folder both users reach, as the shared temporary folder is.
    QTemporaryDir shared;
    ASSERT_TRUE(shared.isValid());
    ASSERT_EQ(::chmod(QFile::encodeName(shared.path()).constData(), 01777), 0);

    // Another user's start is refused by this program.
    const auto running = RecordingProgram();
    HandOverServer server(shared.filePath("mine.sock"));
    ASSERT_TRUE(server.Listen());
    ASSERT_EQ(::chmod(QFile::encodeName(server.Name()).constData(), 0777), 0);
    server.SetHandler([this](const QString& path) { received << path; });
    const sockaddr_un mine = SocketAddress(server.Name());
    const QByteArray request = handover::EncodeRequest("/fremd.V7N");
    const int answer = RunAs(*nobody, [&] {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&mine), sizeof mine) != 0)
            return 98;
        (void)!::send(fd, request.constData(), size_t(request.size()), MSG_NOSIGNAL);
        const char c = ReadByte(fd, 3000);
        (void)!::send(fd, &handover::kConfirmed, 1, MSG_NOSIGNAL);
        return int(c);
    });
    ASSERT_NE(answer, 99) << "could not become nobody";
    EXPECT_EQ(answer, int(handover::kRejected));
    // The other user's confirmation came anyway, before this user's own
    // start connects; paths reach the handler in order, so only the own one
    // may be there once it has arrived.
    EXPECT_EQ(SendServed(server.Name(), "/eigen.V7N"), HandOverClient::Outcome::Accepted);
    EXPECT_TRUE(WaitUntil([&] { return received.contains("/eigen.V7N"); }));
    EXPECT_EQ(received, QStringList{"/eigen.V7N"}) << received.join('|').toStdString();

    // This start hands nothing, not even the path, to another user's program.
    const QString theirs = shared.filePath("theirs.sock");
    const sockaddr_un theirAddress = SocketAddress(theirs);
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    HandOverClient::Outcome outcome{};
    const int heard = RunAs(
        *nobody,
        [&] {
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            if (::bind(fd, reinterpret_cast<const sockaddr*>(&theirAddress), sizeof theirAddress) !=
                    0 ||
                ::listen(fd, 4) != 0)
                return 98;
            (void)!::write(ready[1], "r", 1);
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 3000) != 1)
                return 97;
            const int peer = ::accept(fd, nullptr, nullptr);
            (void)!::send(peer, &handover::kAccepted, 1, MSG_NOSIGNAL);
            return ReadByte(peer, 1000) == 0 ? 0 : 1; // anything heard is a leak
        },
        [&] {
            ASSERT_EQ(ReadByte(ready[0], 3000), 'r');
            outcome = HandOverClient::Send(theirs, "/geheim.V7N", 2000);
        });
    ::close(ready[0]);
    ::close(ready[1]);
    EXPECT_EQ(outcome, HandOverClient::Outcome::OtherUser);
    EXPECT_EQ(heard, 0);
}

TEST_F(HandOverTest, RunningOutOfDescriptorsPausesTheServerAndKeepsItsSocket) {
    const auto running = RecordingProgram();
    const QByteArray socketFile = QFile::encodeName(name);
    struct stat original {};
    ASSERT_EQ(::stat(socketFile.constData(), &original), 0);

    // Room for 24 more descriptors only (the numbers below the limit that
    // are free), which the server's accepted connections use up. The
    // connections come from a child, which has descriptors of its own, and
    // the surplus waits in the backlog.
    constexpr int kRoom = 24;
    int go[2], ready[2];
    ASSERT_EQ(::pipe(go), 0);
    ASSERT_EQ(::pipe(ready), 0);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &saved), 0);
    rlimit low = saved;
    low.rlim_cur = 0;
    for (int room = 0; room < kRoom; ++low.rlim_cur) {
        if (::fcntl(int(low.rlim_cur), F_GETFD) == -1)
            ++room;
    }
    const int connections = 2 * kRoom;
    const sockaddr_un addr = SocketAddress(name);
    char answer = 0;
    bool socketStayed = false, exhausted = false;
    const int status = RunChild(
        [&] {
            if (ReadByte(go[0], kPatienceMs) != 's')
                return 90;
            int made = 0;
            for (; made < connections; ++made) {
                const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
                bool connected = false;
                // A full backlog empties as the server accepts.
                for (int tries = 0; fd >= 0 && tries < 400 && !connected; ++tries) {
                    if (::connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0)
                        connected = true;
                    else if (errno == EAGAIN)
                        ::usleep(5000);
                    else
                        break;
                }
                if (!connected)
                    break;
            }
            const char result = made == connections ? 'r' : 'f';
            (void)!::write(ready[1], &result, 1);
            ReadByte(go[0], 3 * kPatienceMs); // the connections close with the child
            return 0;
        },
        [&] {
            ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &low), 0);
            (void)!::write(go[1], "s", 1);
            ASSERT_TRUE(WaitUntil([&] {
                pollfd p{ready[0], POLLIN, 0};
                return ::poll(&p, 1, 0) == 1;
            }));
            answer = ReadByte(ready[0], 0);
            // The connections are made once they are in the backlog; the
            // server takes them as it serves.
            exhausted = WaitUntil([] {
                const int probe = ::dup(0);
                if (probe >= 0)
                    ::close(probe);
                return probe < 0 && errno == EMFILE;
            });
            // The server tries again meanwhile, and meets the limit again.
            QElapsedTimer window;
            window.start();
            do {
                struct stat now {};
                socketStayed = ::stat(socketFile.constData(), &now) == 0 &&
                               now.st_ino == original.st_ino && running->Server()->IsListening();
                QTest::qWait(10);
            } while (socketStayed && window.elapsed() < 500);
            (void)!::write(go[1], "e", 1);
        });
    ::setrlimit(RLIMIT_NOFILE, &saved);
    for (const int fd : {go[0], go[1], ready[0], ready[1]})
        ::close(fd);
    ASSERT_EQ(status, 0);
    EXPECT_TRUE(exhausted) << "the descriptors never ran out";
    EXPECT_EQ(answer, 'r') << "the server stopped taking connections";
    EXPECT_TRUE(socketStayed);

    // Once the connections are gone the server goes on, and a later start
    // hands its file over.
    const QString file = dir.filePath("danach.V7N");
    EXPECT_EQ(RunQuintara({file}, dir.path()), 0);
    EXPECT_TRUE(WaitUntil([&] { return received.contains(file); }));
}

TEST_F(HandOverTest, ASharedRuntimeFolderMeansEachStartRunsOnItsOwn) {
    const QString run = dir.filePath("run");
    const QByteArray native = QFile::encodeName(run);
    ASSERT_EQ(::chmod(native.constData(), 01777), 0);
    EXPECT_TRUE(handover::ServerName().isEmpty());
    HandOver shell;
    EXPECT_FALSE(shell.Offer(CommandLineInfo{}));
    EXPECT_EQ(shell.Server(), nullptr);

    // The program says why on standard error, and starts all the same.
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QUINTARA_FIRST_PAINT_PROBE", "1");
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(QUINTARA_BINARY_DIR "/quintara"), QStringList{});
    ASSERT_TRUE(program.waitForFinished(3 * kPatienceMs));
    EXPECT_EQ(program.exitCode(), 0);
    const QString said = QString::fromUtf8(program.readAllStandardError());
    EXPECT_TRUE(said.contains("Quintara: " + FormatString(IDS_HANDOVER_SHARED_RUNTIME, {run})))
        << said.toStdString();
    EXPECT_TRUE(
        QDir(run)
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden)
            .isEmpty());

    // A folder of another user is no better, even with no rights for others.
    if (const auto nobody = Nobody()) {
        ASSERT_EQ(::chmod(native.constData(), 0700), 0);
        ASSERT_EQ(::chown(native.constData(), nobody->uid, nobody->gid), 0);
        EXPECT_TRUE(handover::ServerName().isEmpty());
        EXPECT_EQ(handover::SharedRuntimeDir(), run);
        ASSERT_EQ(::chown(native.constData(), ::getuid(), ::getgid()), 0);
    }
}
