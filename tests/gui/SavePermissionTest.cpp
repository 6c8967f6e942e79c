// SPDX-License-Identifier: GPL-3.0-or-later
// Saving as a user other than root, who is bound by file and folder modes:
// the save runs in a child process that dropped to the user nobody (with one
// extra group) and tells the parent what it saw.

#include "AppFixture.h"
#include "StripFiles.h"
#include "platform/files/FileFaults.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <functional>
#include <grp.h>
#include <optional>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr gid_t kSharedGroup = 4711; // a group the saving user belongs to besides its own

uid_t NobodyId() {
    const passwd* pw = ::getpwnam("nobody");
    return pw ? pw->pw_uid : 65534;
}

// Runs `body` as nobody in a child process and answers its report (empty:
// all was as expected), or nothing when the rights could not be dropped.
std::optional<std::string> AsNobody(const std::function<std::string()>& body) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return "no pipe";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(pipeFds[0]);
        const gid_t groups[] = {kSharedGroup};
        const uid_t nobody = NobodyId();
        if (::setgroups(1, groups) != 0 || ::setgid(nobody) != 0 || ::setuid(nobody) != 0 ||
            ::geteuid() == 0)
            ::_exit(77);
        const std::string report = body();
        const bool sent =
            ::write(pipeFds[1], report.data(), report.size()) == ssize_t(report.size());
        ::_exit(sent ? 0 : 1);
    }
    ::close(pipeFds[1]);
    std::string report;
    char buffer[4096];
    ssize_t got;
    while ((got = ::read(pipeFds[0], buffer, sizeof buffer)) > 0)
        report.append(buffer, std::size_t(got));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77)
        return std::nullopt;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        report += "child ended abnormally\n";
    return report;
}

struct stat StatOf(const QString& path) {
    struct stat st {};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0) << path.toStdString();
    return st;
}

void MakeFile(const QString& path, uid_t owner, gid_t group, mode_t mode) {
    WriteFileBytes(path, TestDataFile("demo.V7N"));
    const QByteArray native = QFile::encodeName(path);
    ASSERT_EQ(::chown(native.constData(), owner, group), 0);
    ASSERT_EQ(::chmod(native.constData(), mode), 0);
}

void MakeFolder(const QString& path, mode_t mode) {
    ASSERT_TRUE(QDir().mkpath(path));
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

class SavePermission : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        if (::geteuid() != 0)
            GTEST_SKIP() << "needs root to make other users' files and to become nobody";
        ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
        Start();
    }

    // Saves the open strip to path; reports a result, messages or modified
    // flag other than expected.
    std::string Save(const QString& path, bool succeeds, const QString& message = {}) {
        ui->messages.clear();
        const bool saved = Doc().OnSaveDocument(path);
        std::string report;
        if (saved != succeeds)
            report += path.toStdString() + (saved ? ": saved\n" : ": not saved\n");
        const QStringList expected = message.isEmpty() ? QStringList() : QStringList{message};
        if (ui->MessageTexts() != expected)
            report += path.toStdString() + ": " + ui->MessageTexts().join('|').toStdString() + "\n";
        if (Doc().IsModified() != !succeeds)
            report += path.toStdString() + ": modified flag wrong\n";
        return report;
    }
};

} // namespace

TEST_F(SavePermission, AFileTheUserMayNotWriteIsNeverReplaced) {
    const QString folder = TempPath("shared");
    MakeFolder(folder, 0777);
    const uid_t nobody = NobodyId();
    const QString readOnly = folder + "/readonly.V7N";
    const QString othersFile = folder + "/others.V7N";
    const QString groupFile = folder + "/group.V7N";
    MakeFile(readOnly, nobody, nobody, 0444);
    MakeFile(othersFile, 0, 0, 0644);
    MakeFile(groupFile, 0, kSharedGroup, 0664);

    const auto report = AsNobody([&] {
        Doc().SetName(0, "Neu");
        const QString denied = QString::fromUtf8("Auf %1 konnte nicht zugegriffen werden.");
        std::string failures = Save(readOnly, false, denied.arg(readOnly));
        failures += Save(othersFile, false, denied.arg(othersFile));
        return failures + Save(groupFile, true);
    });
    if (!report)
        GTEST_SKIP() << "cannot drop root's rights to the user nobody";
    EXPECT_EQ(*report, "");
    EXPECT_EQ(ReadFileBytes(readOnly), TestDataFile("demo.V7N"));
    EXPECT_EQ(ReadFileBytes(othersFile), TestDataFile("demo.V7N"));
    EXPECT_EQ(ReadFileBytes(groupFile)[149], 'N');
    // The group file's owner cannot be kept by nobody, its group and mode can.
    const struct stat st = StatOf(groupFile);
    EXPECT_EQ(st.st_uid, nobody);
    EXPECT_EQ(st.st_gid, kSharedGroup);
    EXPECT_EQ(st.st_mode & 07777, 0664u);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 3);
}

TEST_F(SavePermission, AFileInAFolderTheUserMayNotWriteIsRewrittenInPlace) {
    const QString folder = TempPath("locked");
    MakeFolder(folder, 0755);
    const QString path = folder + "/shared.V7N";
    MakeFile(path, 0, kSharedGroup, 0664);
    const struct stat before = StatOf(path);
    const Bytes old = TestDataFile("demo.V7N");
    // The new content is longer than the old, so a failure must also cut
    // the file back.
    const std::string longName(60, 'L');

    const auto report = AsNobody([&] {
        Doc().SetName(0, longName);
        std::string failures;
        for (fault::Step step : {fault::Step::Write, fault::Step::Flush, fault::Step::Sync}) {
            fault::SetInjector([step](fault::Step s) { return s == step ? ENOSPC : 0; });
            failures += Save(path, false, QString::fromUtf8("Der Datenträger ist voll."));
            if (ReadFileBytes(path) != old)
                failures += "old content lost at step " + std::to_string(int(step)) + "\n";
        }
        fault::SetInjector({});
        return failures + Save(path, true);
    });
    if (!report)
        GTEST_SKIP() << "cannot drop root's rights to the user nobody";
    EXPECT_EQ(*report, "");
    Doc().SetName(0, longName);
    ASSERT_TRUE(Doc().OnSaveDocument(TempPath("expected.V7N")));
    EXPECT_EQ(ReadFileBytes(path), ReadFileBytes(TempPath("expected.V7N")));
    const struct stat after = StatOf(path);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_uid, 0u);
    EXPECT_EQ(after.st_gid, kSharedGroup);
    EXPECT_EQ(after.st_mode & 07777, 0664u);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 1);
}
