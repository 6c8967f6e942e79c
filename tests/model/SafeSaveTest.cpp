// SPDX-License-Identifier: GPL-3.0-or-later
// The safe save: a name of any length the folder takes can be saved, what
// a killed run left behind goes with the next save into that folder (but
// only what is the user's own and held by no run), and a rewrite in place
// killed anywhere never reads back as a mixture.

#include "ScriptedUiHost.h"
#include "StripFiles.h"
#include "document/SettingsView.h"
#include "document/V7NamenDoc.h"
#include "platform/files/FileFaults.h"
#include "platform/files/SafeFileSave.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

bool Save(SafeFileSave& file, const std::string& bytes) {
    return file.Open() && file.Stream().Write(bytes.data(), bytes.size()) && file.Commit();
}

bool Save(const QString& path, const std::string& bytes) {
    SafeFileSave file(path);
    return Save(file, bytes);
}

std::string Content(const QString& path) {
    const Bytes b = ReadFileBytes(path);
    return std::string(b.begin(), b.end());
}

QStringList Hidden(const QString& folder) {
    return QDir(folder).entryList({".*"}, QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace

TEST(SafeSave, EveryNameTheFolderTakesCanBeSaved) {
    QTemporaryDir dir;
    QStringList names;
    for (int length = 248; length <= 255; ++length)
        names << QString(length - 4, QLatin1Char('n')) + ".V7N";
    // 255 bytes in UTF-8, most of them two-byte characters.
    names << QString::fromUtf8("x") + QString(125, QChar(0xE4)) + ".V7N";
    for (const QString& name : names) {
        const QString path = dir.filePath(name);
        const std::size_t bytes = std::size_t(QFile::encodeName(name).size());
        SafeFileSave file(path);
        ASSERT_TRUE(Save(file, "neu")) << bytes << " bytes";
        EXPECT_EQ(Content(path), "neu") << bytes;
        // A hidden name that begins like the file's, within the limit.
        const QByteArray temp = QFile::encodeName(QFileInfo(file.TempPath()).fileName());
        EXPECT_LE(temp.size(), 255) << bytes;
        EXPECT_TRUE(temp.startsWith('.' + QFile::encodeName(name).left(200))) << temp.data();
        EXPECT_TRUE(QByteArray(temp).chopped(6).endsWith(".quintara-")) << temp.data();
        // Saved again over the old file, and by name as the PDF is written.
        ASSERT_TRUE(Save(path, "wieder")) << bytes;
        SafeFileSave byName(path, SafeFileSave::Writer::ByName);
        ASSERT_TRUE(byName.Open()) << bytes;
        WriteFileBytes(byName.TempPath(), Bytes{'P', 'D', 'F'});
        ASSERT_TRUE(byName.Commit()) << bytes;
        EXPECT_EQ(Content(path), "PDF") << bytes;
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), names.size());
}

TEST(SafeSave, WhatAKilledRunLeftGoesWithTheNextSaveButNothingElse) {
    QTemporaryDir dir;
    const QString target = dir.filePath("streifen.V7N");
    // A run killed in the middle of three saves, one into another file.
    const pid_t pid = ::fork();
    if (pid == 0) {
        SafeFileSave first(target), second(target), other(dir.filePath("anderer.V7N"));
        for (SafeFileSave* file : {&first, &second, &other}) {
            if (file->Open())
                file->Stream().Write("halb", 4);
        }
        ::raise(SIGKILL);
        ::_exit(1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFSIGNALED(status));
    ASSERT_EQ(Hidden(dir.path()).size(), 3);
    const QStringList stale = Hidden(dir.path());

    // A save running meanwhile, a file of the old pattern (or the user's
    // own), a file of the pattern that is not a regular file, and (as root)
    // one of another user.
    SafeFileSave running(dir.filePath("laufend.V7N"));
    ASSERT_TRUE(running.Open());
    const QString lookalike = dir.filePath(".notizen.txt.a8Fk2q");
    const QString folder = dir.filePath(".ordner.quintara-Ab3dE9");
    const QString foreign = dir.filePath(".fremd.V7N.quintara-Xy7pQ2");
    WriteFileBytes(lookalike, Bytes{'1'});
    ASSERT_TRUE(QDir().mkdir(folder));
    WriteFileBytes(foreign, Bytes{'2'});
    const passwd* nobody = ::getpwnam("nobody");
    const bool haveForeign =
        ::geteuid() == 0 && nobody &&
        ::chown(QFile::encodeName(foreign).constData(), nobody->pw_uid, nobody->pw_gid) == 0;
    if (!haveForeign)
        QFile::remove(foreign);

    ASSERT_TRUE(Save(target, "ganz"));
    EXPECT_EQ(Content(target), "ganz");
    QStringList left = Hidden(dir.path());
    for (const QString& name : stale)
        EXPECT_FALSE(left.contains(name)) << name.toStdString();
    EXPECT_TRUE(left.contains(QFileInfo(running.TempPath()).fileName()));
    EXPECT_TRUE(left.contains(".notizen.txt.a8Fk2q"));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(left.contains(".fremd.V7N.quintara-Xy7pQ2"), haveForeign);
    EXPECT_EQ(left.size(), haveForeign ? 3 : 2);

    // The running save goes on undisturbed.
    running.Stream().Write("auch", 4);
    ASSERT_TRUE(running.Commit());
    EXPECT_EQ(Content(dir.filePath("laufend.V7N")), "auch");
    if (!haveForeign)
        GTEST_SKIP() << "only root can make another user's file; the rest was checked";
}

TEST(SafeSave, ARewriteInPlaceKilledAnywhereReadsAsTheOldTheNewOrADamagedStrip) {
    // Old and new strips of the same shape, so that old bytes after new
    // ones would read as a strip; each larger than many pages.
    ScriptedUiHost ui;
    SettingsView view;
    CV7NamenDoc doc;
    doc.AddView(&view);
    doc.ResetToNew();
    const auto fill = [&](char c, int offset) {
        for (int i = 0; i < 16; ++i)
            doc.names[std::size_t(i)] = std::string(9000, char(c + i));
        view.textOffset = offset;
    };
    QTemporaryDir dir;
    const QString folder = dir.filePath("gesperrt");
    const QString path = folder + "/streifen.V7N";
    ASSERT_TRUE(QDir().mkdir(folder));
    fill('A', 10);
    ASSERT_TRUE(doc.OnSaveDocument(dir.filePath("new.V7N")) && doc.OnSaveDocument(path));
    fill('a', 20);
    ASSERT_TRUE(doc.OnSaveDocument(dir.filePath("new.V7N")));
    const Bytes oldBytes = ReadFileBytes(path);
    const Bytes newBytes = ReadFileBytes(dir.filePath("new.V7N"));
    // The folder takes no new file from the saving user: as root the save
    // runs as nobody, else the folder is closed to its owner.
    const passwd* nobody = ::geteuid() == 0 ? ::getpwnam("nobody") : nullptr;
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    if (nobody) {
        ASSERT_EQ(::chown(QFile::encodeName(path).constData(), nobody->pw_uid, 0), 0);
    }
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0555), 0);

    int outcomes[3] = {}; // old, new, damaged
    for (int kill = 1;; ++kill) {
        ASSERT_LT(kill, 100) << "the save never ended";
        WriteFileBytes(path, oldBytes);
        const pid_t pid = ::fork();
        if (pid == 0) {
            if (nobody && (::setgroups(0, nullptr) != 0 || ::setgid(nobody->pw_gid) != 0 ||
                           ::setuid(nobody->pw_uid) != 0))
                ::_exit(77);
            int step = 0;
            fault::SetInjector([&](fault::Step) {
                if (++step == kill)
                    ::_exit(0); // killed before this step
                return 0;
            });
            ::_exit(doc.OnSaveDocument(path) ? 3 : 4);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFEXITED(status));
        if (WEXITSTATUS(status) == 77)
            GTEST_SKIP() << "cannot drop root's rights to the user nobody";
        ASSERT_NE(WEXITSTATUS(status), 4) << "the save failed at step " << kill;

        const Bytes on = ReadFileBytes(path);
        SettingsView readView;
        CV7NamenDoc reader;
        reader.AddView(&readView);
        ui.messages.clear();
        const bool opened = reader.OnOpenDocument(path);
        reader.RemoveView(&readView);
        ASSERT_TRUE(opened) << "refused after a kill at step " << kill;
        if (on == oldBytes || on == newBytes) {
            EXPECT_TRUE(ui.messages.empty()) << kill;
            EXPECT_FALSE(reader.IsModified()) << kill;
            ++outcomes[on == oldBytes ? 0 : 1];
        } else {
            // Damaged, and said so: settings and what names it holds are
            // the new strip's.
            ASSERT_EQ(ui.messages.size(), 1u) << kill;
            EXPECT_TRUE(ui.messages[0].text.contains(QString::fromUtf8("beschädigt"))) << kill;
            EXPECT_TRUE(reader.IsModified()) << kill;
            EXPECT_EQ(readView.textOffset, 20) << kill;
            for (int i = 0; i < 16; ++i) {
                const std::string& name = reader.GetName(i);
                EXPECT_TRUE(name.empty() || name == doc.GetName(i)) << kill << " name " << i;
            }
            ++outcomes[2];
        }
        if (WEXITSTATUS(status) == 3) {
            EXPECT_EQ(on, newBytes);
            break;
        }
    }
    ::testing::Test::RecordProperty("old", outcomes[0]);
    ::testing::Test::RecordProperty("new", outcomes[1]);
    ::testing::Test::RecordProperty("damaged", outcomes[2]);
    EXPECT_GT(outcomes[0], 0);
    EXPECT_GT(outcomes[2], 0);
    doc.RemoveView(&view);
}
