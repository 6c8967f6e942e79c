// SPDX-License-Identifier: GPL-3.0-or-later
// The profile: what is no regular file is neither read nor replaced, and
// what QSettings wrote reads back and the other way round.

#include "platform/files/Profile.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

struct stat StatOf(const QString& path) {
    struct stat st {};
    EXPECT_EQ(::lstat(QFile::encodeName(path).constData(), &st), 0) << path.toStdString();
    return st;
}

} // namespace

TEST(Profile, WhatIsNoRegularFileIsNeitherReadNorReplacedAndCostsOnlyItsSettings) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("fifo.ini");
    const QString node = dir.filePath("node.ini");
    const QString folder = dir.filePath("folder.ini");
    const QString underFile = dir.filePath("file/quintara.ini");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QDir().mkdir(folder));
    {
        QFile file(dir.filePath("file"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    // A character device of its own (the numbers of the null device, in
    // the temporary folder); only root may make one.
    const bool haveNode =
        ::mknod(QFile::encodeName(node).constData(), S_IFCHR | 0600, makedev(1, 3)) == 0;

    std::vector<std::pair<Profile::Problem, QString>> said;
    Profile::SetReporter([&](Profile::Problem p, const QString& path) {
        said.push_back({p, path});
    });
    // Should a read wait on the FIFO after all, a writer turns up and lets it
    // go on: the test then fails instead of hanging.
    std::atomic<bool> done{false}, waited{false};
    std::thread watchdog([&] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!done && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        while (!done) {
            const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                waited = true;
                ::close(fd);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });

    QStringList paths = {fifo, folder};
    if (haveNode)
        paths.append(node);
    for (const QString& path : paths) {
        const struct stat before = StatOf(path);
        for (int run = 0; run < 2; ++run) {
            Profile profile(path);
            EXPECT_EQ(profile.GetInt("Settings", "PreviewPages", 1), 1) << path.toStdString();
            profile.SetInt("Settings", "PreviewPages", 2);
            profile.SetString("Recent File List", "File1", "/a.V7N");
            EXPECT_FALSE(profile.Sync()) << path.toStdString();
            // The run keeps what it set.
            EXPECT_EQ(profile.GetInt("Settings", "PreviewPages", 1), 2);
        }
        const struct stat after = StatOf(path);
        EXPECT_EQ(after.st_mode, before.st_mode) << path.toStdString();
        EXPECT_EQ(after.st_ino, before.st_ino) << path.toStdString();
        EXPECT_EQ(after.st_rdev, before.st_rdev) << path.toStdString();
    }
    // A profile that cannot be written: its folder cannot be made.
    {
        Profile profile(underFile);
        EXPECT_EQ(profile.GetString("Ports", "COM1", "keiner"), QString("keiner"));
        profile.SetString("Ports", "COM1", "/dev/ttyUSB0");
        EXPECT_FALSE(profile.Sync());
        EXPECT_FALSE(profile.Sync());
        EXPECT_EQ(profile.GetString("Ports", "COM1"), QString("/dev/ttyUSB0"));
    }
    done = true;
    watchdog.join();
    Profile::SetReporter({});
    EXPECT_FALSE(waited) << "a profile read waited for a writer on the FIFO";

    // One report per path, however often the profile was asked.
    std::vector<std::pair<Profile::Problem, QString>> expected;
    for (const QString& path : paths)
        expected.push_back({Profile::Problem::NotAFile, path});
    expected.push_back({Profile::Problem::Unwritable, underFile});
    EXPECT_EQ(said, expected);
    const QStringList left =
        QDir(dir.path())
            .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                       QDir::Name);
    EXPECT_EQ(left.join(' ').toStdString(),
              haveNode ? "fifo.ini file folder.ini node.ini" : "fifo.ini file folder.ini");
    if (!haveNode)
        GTEST_SKIP() << "only root can make a device node; the FIFO and the folder were checked";
}

TEST(Profile, ReadsWhatQSettingsWritesAndWritesWhatItReads) {
    QTemporaryDir dir;
    const QStringList values = {"/home/u/a, b.V7N",
                                QString::fromUtf8("/home/ü/Grüße;x=y.V7N"),
                                " blanks around ",
                                QString::fromUtf8("@at\\back\"quote\ttab\x01"
                                                  "c"),
                                "179 210 103 101",
                                "",
                                QString::fromUtf8("x😀y日本"),
                                "\x02"
                                "9 trail\t",
                                "@@x",
                                "@Invalid()",
                                "x\ny\r\nz"};
    const QStringList keys = {"File1", "HP LaserJet #1 (ü)_x",    "a=b;c", "%General",
                              "k/sub", QString::fromUtf8("日本"), "[x]"};
    const QStringList sections = {"Recent File List", "Settings", "General", "Cal/ib",
                                  QString::fromUtf8("Ü")};
    const auto each =
        [&](const std::function<void(const QString&, const QString&, const QString&)>& visit) {
            int n = 0;
            for (const QString& section : sections)
                for (const QString& key : keys)
                    visit(section, key, values[n++ % values.size()]);
        };

    const QString theirs = dir.filePath("theirs.ini");
    {
        QSettings settings(theirs, QSettings::IniFormat);
        each([&](const QString& s, const QString& k, const QString& v) {
            settings.setValue(s + '/' + k, v);
        });
        settings.setValue("Settings/PreviewPages", 2);
    }
    const QString ours = dir.filePath("sub/ours.ini");
    {
        Profile read(theirs);
        Profile write(ours);
        each([&](const QString& s, const QString& k, const QString& v) {
            EXPECT_EQ(read.GetString(s, k, "-"), v) << (s + '/' + k).toStdString();
            write.SetString(s, k, v);
        });
        EXPECT_EQ(read.GetInt("Settings", "PreviewPages", 1), 2);
        ASSERT_TRUE(write.Sync());
    }
    {
        QSettings settings(ours, QSettings::IniFormat);
        each([&](const QString& s, const QString& k, const QString& v) {
            EXPECT_EQ(settings.value(s + '/' + k, "-").toString(), v)
                << (s + '/' + k).toStdString();
        });
    }

    // Two runs writing one profile each keep the other's changes; what
    // neither changed keeps its bytes.
    Profile first(theirs);
    Profile second(theirs);
    EXPECT_EQ(first.GetInt("Settings", "PreviewPages", 1), 2);
    EXPECT_EQ(second.GetString("Ports", "COM1", "-"), QString("-"));
    first.SetInt("Settings", "PreviewPages", 1);
    second.SetString("Ports", "COM1", "/dev/ttyUSB0");
    second.Remove("Recent File List", "File1");
    ASSERT_TRUE(first.Sync());
    ASSERT_TRUE(second.Sync());
    QSettings settings(theirs, QSettings::IniFormat);
    EXPECT_EQ(settings.value("Settings/PreviewPages").toInt(), 1);
    EXPECT_EQ(settings.value("Ports/COM1").toString(), QString("/dev/ttyUSB0"));
    EXPECT_FALSE(settings.contains("Recent File List/File1"));
    EXPECT_EQ(settings.value("Settings/File1").toString(), values[keys.size()]);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"theirs.ini"}));
}
