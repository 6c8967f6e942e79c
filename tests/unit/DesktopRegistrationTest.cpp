// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/desktop/DesktopRegistration.h"
#include "app/desktop/DeferredRegistration.h"
#include "app/desktop/DesktopFiles.h"
#include "app/desktop/RefreshTool.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <condition_variable>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <mutex>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Long enough for a loaded machine or a sanitizer build; a wait that
// succeeds ends as soon as its condition holds.
constexpr int kPatienceMs = 10000;

bool WaitUntil(const std::function<bool()>& done) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > kPatienceMs)
            return false;
        QTest::qWait(10);
    }
    return true;
}

long PeakKilobytes() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// True while a process with this id exists and has not ended (a zombie
// has ended: nobody here may be left to reap it).
bool ProcessRuns(pid_t pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = stat.readAll();
    const qsizetype end = line.lastIndexOf(')');
    return end >= 0 && line.mid(end + 2, 1) != "Z";
}

class DesktopRegistrationTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        setup.executable = QStringLiteral("/opt/Neuer Ordner/quintara");
        setup.dataHome = dir.filePath("data");
        // The real refresh tools, run to their end, so that the second
        // start sees databases that know the program.
        setup.launcher = [this](const QString& program, const QStringList& args) {
            launched << program;
            QProcess tool;
            tool.setProcessChannelMode(QProcess::MergedChannels);
            tool.setStandardOutputFile(QProcess::nullDevice());
            tool.start(program, args);
            tool.waitForFinished(30000);
        };
    }
    bool HaveTools() const {
        return !QStandardPaths::findExecutable("update-mime-database").isEmpty() &&
               !QStandardPaths::findExecutable("update-desktop-database").isEmpty();
    }
    QString Data(const QString& relative) const { return setup.dataHome + "/" + relative; }

    QTemporaryDir dir;
    DesktopRegistration::Setup setup;
    QStringList launched;
};

} // namespace

TEST_F(DesktopRegistrationTest, RegistersOnceAndThenLeavesEverythingAlone) {
    if (!HaveTools())
        GTEST_SKIP() << "update-mime-database or update-desktop-database missing";
    const auto first = DesktopRegistration::Update(setup);
    EXPECT_FALSE(first.systemInstall);
    EXPECT_FALSE(first.failed);
    EXPECT_EQ(first.filesWritten, int(2 + 2 * DesktopFiles::IconSizes().size()));
    EXPECT_EQ(launched, QStringList({"update-mime-database", "update-desktop-database"}));
    // The databases now know the type, its globs and the program for it.
    const QByteArray globs = Read(Data("mime/globs2"));
    // Globs match regardless of case; the database keeps them in lower case.
    EXPECT_TRUE(globs.contains("application/x-quintara-v7n:*.v7n")) << globs.constData();
    EXPECT_TRUE(Read(Data("applications/mimeinfo.cache"))
                    .contains("application/x-quintara-v7n=quintara.desktop;"));
    const QByteArray entry = Read(Data("applications/quintara.desktop"));
    EXPECT_TRUE(entry.contains("\nExec=\"/opt/Neuer Ordner/quintara\" %f\n")) << entry.constData();
    EXPECT_TRUE(
        QFileInfo(Data("icons/hicolor/256x256/mimetypes/application-x-quintara-v7n.png")).size() >
        0);
    EXPECT_FALSE(QImage(Data("icons/hicolor/48x48/apps/quintara.png")).isNull());

    const QDateTime written = QFileInfo(Data("applications/quintara.desktop")).lastModified();
    launched.clear();
    const auto second = DesktopRegistration::Update(setup);
    EXPECT_EQ(second.filesWritten, 0);
    EXPECT_TRUE(launched.isEmpty()) << launched.join(' ').toStdString();
    EXPECT_EQ(QFileInfo(Data("applications/quintara.desktop")).lastModified(), written);
}

TEST_F(DesktopRegistrationTest, RewritesWhatDiffersAndRefreshesOnlyItsDatabase) {
    if (!HaveTools())
        GTEST_SKIP() << "update-mime-database or update-desktop-database missing";
    DesktopRegistration::Update(setup);

    // An entry left by another build, and a lost icon.
    Write(Data("applications/quintara.desktop"),
          "[Desktop Entry]\nType=Application\nName=Quintara\nExec=/alt/quintara %f\n");
    QFile::remove(Data("icons/hicolor/16x16/apps/quintara.png"));
    launched.clear();
    auto result = DesktopRegistration::Update(setup);
    EXPECT_EQ(result.filesWritten, 2);
    EXPECT_EQ(launched, QStringList({"update-desktop-database"}));
    EXPECT_EQ(Read(Data("applications/quintara.desktop")),
              DesktopFiles::DesktopEntry(setup.executable));
    EXPECT_EQ(Read(Data("icons/hicolor/16x16/apps/quintara.png")), DesktopFiles::AppIconPng(16));

    // The program moved: the entry follows it.
    setup.executable = QStringLiteral("/home/jürgen/bin/quintara");
    launched.clear();
    result = DesktopRegistration::Update(setup);
    EXPECT_EQ(result.filesWritten, 1);
    EXPECT_EQ(launched, QStringList({"update-desktop-database"}));
    EXPECT_TRUE(Read(Data("applications/quintara.desktop"))
                    .contains("\nExec=/home/jürgen/bin/quintara %f\n"));

    // A MIME package of an older version.
    Write(Data("mime/packages/quintara.xml"), "<mime-info/>");
    launched.clear();
    result = DesktopRegistration::Update(setup);
    EXPECT_EQ(result.filesWritten, 1);
    EXPECT_EQ(launched, QStringList({"update-mime-database"}));
}

TEST_F(DesktopRegistrationTest, SystemInstallIsLeftToThePackage) {
    const QString prefix = dir.filePath("usr");
    Write(prefix + "/bin/quintara", "");
    Write(prefix + "/share/applications/quintara.desktop", "");
    Write(prefix + "/share/mime/packages/quintara.xml", "");
    setup.executable = prefix + "/bin/quintara";
    setup.systemPrefixes = {prefix};
    const auto result = DesktopRegistration::Update(setup);
    EXPECT_TRUE(result.systemInstall);
    EXPECT_EQ(result.filesWritten, 0);
    EXPECT_TRUE(launched.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(setup.dataHome));

    // A program copied into the prefix by hand, without the desktop files,
    // registers itself.
    QFile::remove(prefix + "/share/mime/packages/quintara.xml");
    setup.launcher = [this](const QString& program, const QStringList&) { launched << program; };
    EXPECT_FALSE(DesktopRegistration::Update(setup).systemInstall);
    EXPECT_TRUE(QFileInfo::exists(Data("applications/quintara.desktop")));
}

TEST_F(DesktopRegistrationTest, UnwritableDataFolderFailsQuietly) {
    // A file where the folder should be.
    Write(dir.filePath("blocked"), "x");
    setup.dataHome = dir.filePath("blocked");
    setup.launcher = [this](const QString& program, const QStringList&) { launched << program; };
    const auto result = DesktopRegistration::Update(setup);
    EXPECT_TRUE(result.failed);
    EXPECT_EQ(result.filesWritten, 0);
    EXPECT_TRUE(launched.isEmpty());
}

TEST_F(DesktopRegistrationTest, OnlyRegularFilesAreReadAndReplacedAndOnlyUpToABound) {
    // A FIFO where the desktop entry belongs, and the MIME database's glob
    // list a link to a huge file (sparse: it takes no disk).
    const QString fifo = Data("applications/quintara.desktop");
    ASSERT_TRUE(QDir().mkpath(QFileInfo(fifo).path()));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString huge = dir.filePath("huge");
    constexpr qint64 kHugeBytes = 512LL * 1024 * 1024;
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(kHugeBytes));
    }
    ASSERT_TRUE(QDir().mkpath(Data("mime")));
    ASSERT_TRUE(QFile::link(huge, Data("mime/globs2")));
    setup.launcher = [this](const QString& program, const QStringList&) { launched << program; };

    const long peakBefore = PeakKilobytes();
    DesktopRegistration::Result result;
    std::atomic<bool> done{false};
    std::thread registration([&] {
        result = DesktopRegistration::Update(setup);
        done = true;
    });
    const bool inTime = WaitUntil([&] { return done.load(); });
    if (!inTime) {
        // Let a reader stuck on the FIFO go, so that the test can end.
        const int writer = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0)
            ::close(writer);
    }
    registration.join();
    EXPECT_TRUE(inTime) << "the registration waited for the FIFO";
    const long grown = PeakKilobytes() - peakBefore;
    RecordProperty("peak_growth_kb", int(grown));
    EXPECT_LT(grown, 64 * 1024) << "the huge file was read";

    struct stat info {};
    ASSERT_EQ(::lstat(QFile::encodeName(fifo).constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode)) << "the FIFO was replaced";
    EXPECT_EQ(QFileInfo(Data("mime/globs2")).symLinkTarget(), huge);
    EXPECT_EQ(QFileInfo(huge).size(), kHugeBytes);
    EXPECT_TRUE(result.failed);
    EXPECT_EQ(result.filesWritten, int(1 + 2 * DesktopFiles::IconSizes().size()));
    // A glob list too large to look into counts as not knowing the type;
    // the desktop database is left alone, as its tool would read the FIFO.
    EXPECT_EQ(launched.join(' ').toStdString(), "update-mime-database");
}

TEST_F(DesktopRegistrationTest, NeitherTheThreadNorItsToolsCanHoldTheProgram) {
    // A registration held up in its first tool: going away must not wait
    // for it, and the thread must not touch what went away.
    struct Gate {
        std::mutex mutex;
        std::condition_variable changed;
        bool entered = false;
        bool open = false;
        QStringList tools;
    };
    const auto gate = std::make_shared<Gate>();
    // Held only by the registration and its thread.
    auto token = std::make_shared<int>(0);
    const std::weak_ptr<int> watch = token;
    setup.launcher = [gate, token](const QString& program, const QStringList&) {
        std::unique_lock<std::mutex> lock(gate->mutex);
        gate->tools << program;
        gate->entered = true;
        gate->changed.notify_all();
        // Bounded, so that a registration that is waited for shows as a
        // failure instead of a hang.
        gate->changed.wait_for(lock, std::chrono::milliseconds(kPatienceMs),
                               [&] { return gate->open; });
    };
    auto registration = std::make_unique<DeferredRegistration>([held = setup] { return held; });
    setup.launcher = {};
    token.reset();
    registration->Start(0);
    ASSERT_TRUE(WaitUntil([&] {
        const std::lock_guard<std::mutex> lock(gate->mutex);
        return gate->entered;
    }));
    QElapsedTimer timer;
    timer.start();
    registration.reset();
    EXPECT_LT(timer.elapsed(), 2000) << "going away waited for the registration";
    {
        const std::lock_guard<std::mutex> lock(gate->mutex);
        gate->open = true;
        gate->changed.notify_all();
    }
    // The thread lets go of everything it holds, and starts no further tool.
    EXPECT_TRUE(WaitUntil([&] { return watch.expired(); }));
    {
        const std::lock_guard<std::mutex> lock(gate->mutex);
        EXPECT_EQ(gate->tools.join(' ').toStdString(), "update-mime-database");
    }

    // A tool that hangs is ended at its limit, though nobody waits for it.
    const QString tool = dir.filePath("hangs");
    const QString pidFile = dir.filePath("pid");
    Write(tool, "#!/bin/sh\necho $$ > \"$1.new\"\nmv \"$1.new\" \"$1\"\nexec sleep 60\n");
    ASSERT_TRUE(QFile::setPermissions(tool, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    ASSERT_TRUE(RefreshTool::Start(tool, {pidFile}, 1));
    ASSERT_TRUE(WaitUntil([&] { return QFileInfo::exists(pidFile); }));
    const pid_t pid = pid_t(Read(pidFile).trimmed().toLong());
    ASSERT_GT(pid, 0);
    const bool ended = WaitUntil([&] { return !ProcessRuns(pid); });
    if (!ended)
        ::kill(pid, SIGKILL);
    EXPECT_TRUE(ended) << "the tool still runs after its limit";
}

TEST(DesktopFilesTest, ExecLineQuotesAwkwardPathsAsDesktopEntriesRequire) {
    EXPECT_EQ(DesktopFiles::ExecArgument("/usr/bin/quintara"), "/usr/bin/quintara");
    EXPECT_EQ(DesktopFiles::ExecArgument("/opt/100%/quintara"), "/opt/100%%/quintara");
    EXPECT_EQ(DesktopFiles::ExecArgument("/home/a b/q"), "\"/home/a b/q\"");
    const QString awkward = QStringLiteral("/tmp/Grüße \"x\"/$y\\z/quintara");
    EXPECT_EQ(DesktopFiles::ExecArgument(awkward), "\"/tmp/Grüße \\\"x\\\"/\\$y\\\\z/quintara\"");
    const QByteArray entry = DesktopFiles::DesktopEntry(awkward);
    // In the file every backslash is doubled once more.
    const QString exec =
        QStringLiteral("Exec=\"/tmp/Grüße \\\\\"x\\\\\"/\\\\$y\\\\\\\\z/quintara\"");
    EXPECT_TRUE(entry.contains((QLatin1Char('\n') + exec + QLatin1String(" %f\n")).toUtf8()))
        << entry.constData();
    // File managers offer printing the strip from its file.
    EXPECT_TRUE(entry.contains(
        ("\n[Desktop Action print]\nName=Print\nName[de]=Drucken\n" + exec + " /p %F\n").toUtf8()))
        << entry.constData();

    const QString validate = QStandardPaths::findExecutable("desktop-file-validate");
    if (validate.isEmpty())
        GTEST_SKIP() << "desktop-file-validate missing";
    QTemporaryDir dir;
    for (const QString& exe : {QStringLiteral("quintara"), awkward}) {
        const QString path = dir.filePath("quintara.desktop");
        QFile::remove(path);
        Write(path, DesktopFiles::DesktopEntry(exe));
        QProcess p;
        p.start(validate, {path});
        ASSERT_TRUE(p.waitForFinished(10000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardOutput().constData();
        EXPECT_TRUE(p.readAllStandardOutput().isEmpty());
    }
}
