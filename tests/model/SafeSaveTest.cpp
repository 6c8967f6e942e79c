// The safe save's temporary files: a name of any length the folder takes
// can be saved, and what a killed run left behind goes with the next save
// into that folder, but only what is the user's own and held by no run.

#include "StripFiles.h"
#include "platform/files/SafeFileSave.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/file.h>
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
