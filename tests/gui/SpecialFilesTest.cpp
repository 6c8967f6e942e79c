// SPDX-License-Identifier: GPL-3.0-or-later
// Paths that are no regular file (a FIFO, a folder, a device, a kernel
// pseudo-file of /proc): opening one must neither wait nor touch the open
// strip, whichever way it was chosen, and printing one from the command line
// ends with the message.

#include "AppFixture.h"
#include "StripFiles.h"
#include "app/handover/HandOver.h"
#include "resources/Resource.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QUrl>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <functional>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

const std::string kRefused = "Fehler beim Öffnen des Dokuments.";

// Should an open wait on the FIFO after all, a writer turns up after a few
// seconds and lets it go on: the test then fails instead of hanging.
class FifoWatchdog {
public:
    explicit FifoWatchdog(const QString& fifo) : path_(QFile::encodeName(fifo)) {
        thread_ = std::thread([this] {
            std::unique_lock lock(mutex_);
            std::chrono::milliseconds wait = std::chrono::seconds(5);
            while (!cv_.wait_for(lock, wait, [this] { return done_; })) {
                const int fd = ::open(path_.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                if (fd >= 0) {
                    fired = true;
                    ::close(fd);
                }
                wait = std::chrono::milliseconds(100);
            }
        });
    }
    ~FifoWatchdog() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        cv_.notify_all();
        thread_.join();
    }
    std::atomic<bool> fired{false};

private:
    QByteArray path_;
    std::mutex mutex_;
    std::condition_variable cv_;
    bool done_ = false;
    std::thread thread_;
};

class SpecialFiles : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        ASSERT_TRUE(QDir(dir.path()).mkdir("ordner.V7N"));
    }
    QString fifo = TempPath("fifo.V7N");
    QString folder = TempPath("ordner.V7N");
};

} // namespace

TEST_F(SpecialFiles, AreRefusedWithoutWaitingAndLeaveTheStripAsItWas) {
    const QString link = TempPath("link.V7N");
    ASSERT_TRUE(QFile::link(fifo, link));
    FifoWatchdog watchdog(fifo);

    const QString demo = TempPath("demo.V7N");
    WriteFileBytes(demo, TestDataFile("demo.V7N"));
    Start();
    ASSERT_TRUE(app->OpenDocumentFile(demo, false));
    Doc().SetName(0, "ungespeichert");
    const std::string second = Doc().GetName(1);
    const QString title = Frame().windowTitle();

    struct Route {
        const char* name;
        std::function<void(const QString&)> open;
        int questions; // save-changes questions before the refusal
    };
    const Route routes[] = {
        {"File Open",
         [&](const QString& p) {
             ui->messageAnswers = {MbResult::No};
             ui->fileAnswers = {p};
             Frame().ExecuteCommand(ID_FILE_OPEN);
         },
         1},
        {"recent file",
         [&](const QString& p) {
             app->RecentFiles().Add(p);
             Frame().ExecuteCommand(ID_FILE_MRU_FILE1);
         },
         0},
        {"drop", [&](const QString& p) { Frame().OnDropFiles({QUrl::fromLocalFile(p)}); }, 0},
        {"hand-over", [&](const QString& p) { HandOver::OpenHandedOver(*app, p); }, 0},
    };
    for (const Route& route : routes) {
        for (const QString& path : {fifo, link, folder, QString("/dev/zero"), QString("/dev/tty"),
                                    QString("/proc/self/mem"), QString("/proc/self/status")}) {
            const std::string what = std::string(route.name) + " " + path.toStdString();
            ui->messages.clear();
            route.open(path);
            ASSERT_EQ(ui->messages.size(), size_t(route.questions + 1)) << what;
            EXPECT_EQ(ui->messages.back().text.toStdString(), kRefused) << what;
            EXPECT_EQ(Doc().GetName(0), "ungespeichert") << what;
            EXPECT_EQ(Doc().GetName(1), second) << what;
            EXPECT_TRUE(Doc().IsModified()) << what;
            EXPECT_EQ(Doc().GetPathName().toStdString(), demo.toStdString()) << what;
            EXPECT_EQ(Frame().windowTitle().toStdString(), title.toStdString()) << what;
        }
    }
    EXPECT_FALSE(watchdog.fired) << "an open waited for a writer on the FIFO";

    // A link to a regular file is a document like the file itself.
    const QString good = TempPath("gut.V7N");
    ASSERT_TRUE(QFile::link(demo, good));
    ui->messageAnswers = {MbResult::No};
    EXPECT_TRUE(app->OpenDocumentFile(good, true));
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(Frame().windowTitle(), QString("gut.V7N - Quintara"));
}

TEST_F(SpecialFiles, PrintingOneFromTheCommandLineEndsWithTheMessage) {
    const QString pdf = TempPath("out.pdf");
    for (const QString& path : {fifo, folder, QString("/dev/zero"), QString("/proc/self/mem")}) {
        QProcess p;
        p.start(QStringLiteral(QUINTARA_BINARY_DIR "/quintara"), {"--print-to-pdf", pdf, path});
        const bool finished = p.waitForFinished(10000);
        if (!finished) {
            p.kill();
            p.waitForFinished(2000);
        }
        ASSERT_TRUE(finished) << path.toStdString() << ": the program waited";
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << path.toStdString();
        EXPECT_EQ(p.exitCode(), 1) << path.toStdString();
        EXPECT_EQ(p.readAllStandardError().toStdString(), "Quintara: " + kRefused + "\n")
            << path.toStdString();
        EXPECT_FALSE(QFile::exists(pdf)) << path.toStdString();
    }
}
