// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppFixture.h"
#include "StripFiles.h"
#include "platform/files/FileFaults.h"
#include "resources/Resource.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QUrl>
#include <sys/stat.h>

using FileCommands = AppFixture;

namespace {
struct InjectorGuard {
    ~InjectorGuard() { fault::SetInjector({}); }
};
} // namespace

TEST_F(FileCommands, OpenAsksFirstThenLoadsAndListsTheFile) {
    Start();
    const QString path = TempPath("demo.V7N");
    WriteFileBytes(path, TestDataFile("demo.V7N"));
    Doc().SetName(0, "ungespeichert");
    ui->messageAnswers = {MbResult::No};
    ui->fileAnswers = {path};
    EXPECT_TRUE(Frame().ExecuteCommand(ID_FILE_OPEN));
    ASSERT_EQ(ui->fileRequests.size(), 1u);
    const FileDialogRequest& req = ui->fileRequests[0];
    EXPECT_FALSE(req.save);
    EXPECT_EQ(req.title, QString::fromUtf8("Öffnen"));
    ASSERT_EQ(req.filters.size(), 2);
    EXPECT_TRUE(req.filters[0].startsWith("Quintara  (.V7N) ("));
    EXPECT_TRUE(req.filters[1].startsWith("Alle Dateien (*.*)"));
    EXPECT_EQ(Doc().GetName(0), "Zentrale");
    EXPECT_EQ(Frame().windowTitle(), QString("demo.V7N - Quintara"));
    EXPECT_FALSE(Doc().IsModified());

    // The recent-file entry opens it again.
    Frame().UpdateRecentFileMenu();
    Doc().SetName(0, "x");
    ui->messageAnswers = {MbResult::No};
    EXPECT_TRUE(Frame().ExecuteCommand(ID_FILE_MRU_FILE1));
    EXPECT_EQ(Doc().GetName(0), "Zentrale");
    EXPECT_EQ(app->RecentFiles().Count(), 1);
}

TEST_F(FileCommands, RecentListKeepsFourNewestFirstInTheProfile) {
    Start();
    for (int i = 0; i < 6; ++i) {
        const QString path = TempPath(QString("s%1.V7N").arg(i));
        ui->fileAnswers = {path};
        EXPECT_TRUE(Frame().ExecuteCommand(ID_FILE_SAVE_AS));
    }
    ASSERT_EQ(app->RecentFiles().Count(), 4);
    EXPECT_TRUE(app->RecentFiles().Entries()[0].endsWith("s5.V7N"));
    EXPECT_TRUE(app->RecentFiles().Entries()[3].endsWith("s2.V7N"));
    // A second application on the same profile sees the same list.
    CNamenApp second(std::make_unique<Profile>(TempPath("quintara.ini")));
    second.RecentFiles().ReadList();
    EXPECT_EQ(second.RecentFiles().Entries(), app->RecentFiles().Entries());
    // A recent file that has gone away is reported and dropped from the list.
    QFile::remove(TempPath("s5.V7N"));
    Frame().ExecuteCommand(ID_FILE_MRU_FILE1);
    EXPECT_TRUE(ui->MessageTexts().last().contains("Diese Datei konnte nicht gefunden werden"));
    EXPECT_EQ(app->RecentFiles().Count(), 3);
}

TEST_F(FileCommands, CommandLineFileOpensOrEndsTheProgram) {
    const QString path = TempPath("demo.V7N");
    WriteFileBytes(path, TestDataFile("demo.V7N"));
    CommandLineInfo cmd;
    cmd.action = CommandLineInfo::Action::Open;
    cmd.file = path;
    Start(cmd);
    EXPECT_EQ(Doc().GetName(15), std::string("T\xFC"
                                             "r\xF6"
                                             "ffner"));

    CNamenApp other(std::make_unique<Profile>(TempPath("other.ini")));
    cmd.file = TempPath("fehlt.V7N");
    EXPECT_FALSE(other.InitInstance(cmd));
    ASSERT_FALSE(ui->messages.empty());
    EXPECT_TRUE(ui->messages.back().text.startsWith(QDir::toNativeSeparators(cmd.file)));
}

TEST_F(FileCommands, SaveReplacesTheFileAndKeepsItsPermissions) {
    Start();
    const QString path = TempPath("keep.V7N");
    WriteFileBytes(path, TestDataFile("demo.V7N"));
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    ASSERT_TRUE(app->OpenDocumentFile(path, false));
    Doc().SetName(0, "Neu");
    EXPECT_TRUE(Frame().ExecuteCommand(ID_FILE_SAVE));
    EXPECT_FALSE(Doc().IsModified());
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(ReadFileBytes(path)[149], 'N');
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2)
        << "only the strip and the profile, no temporary file";
}

TEST_F(FileCommands, FailedSaveAtAnyStepLeavesTheOldFileIntact) {
    Start();
    InjectorGuard guard;
    const QString path = TempPath("old.V7N");
    const Bytes old = TestDataFile("demo.V7N");
    WriteFileBytes(path, old);
    ASSERT_TRUE(app->OpenDocumentFile(path, false));
    Doc().SetName(0, "Geändert");
    for (fault::Step step : {fault::Step::Open, fault::Step::Write, fault::Step::Flush,
                             fault::Step::Sync, fault::Step::Chmod, fault::Step::Rename}) {
        fault::SetInjector([step](fault::Step s) { return s == step ? ENOSPC : 0; });
        ui->messages.clear();
        EXPECT_FALSE(Frame().ExecuteCommand(ID_FILE_SAVE) && !Doc().IsModified());
        EXPECT_EQ(ReadFileBytes(path), old) << int(step);
        EXPECT_TRUE(Doc().IsModified()) << int(step);
        EXPECT_EQ(ui->MessageTexts(), QStringList({QString::fromUtf8("Der Datenträger ist voll.")}))
            << int(step);
        const QStringList files = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        EXPECT_EQ(files.size(), 2) << files.join(",").toStdString();
    }
    fault::SetInjector({});
    EXPECT_TRUE(Frame().ExecuteCommand(ID_FILE_SAVE));
    EXPECT_FALSE(Doc().IsModified());

    // A folder nobody may write to.
    ui->fileAnswers = {"/proc/quintara-test.V7N"};
    Doc().SetName(1, "y");
    Frame().ExecuteCommand(ID_FILE_SAVE_AS);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(Doc().GetPathName(), path);
    ASSERT_FALSE(ui->messages.empty());
}

TEST_F(FileCommands, DroppedFileOpensAsByFileOpen) {
    Start();
    ShowActive();
    const QString path = TempPath("drop.V7N");
    WriteFileBytes(path, TestDataFile("demo.V7N"));
    Doc().SetName(0, "x");
    ui->messageAnswers = {MbResult::No};
    EXPECT_TRUE(Frame().acceptDrops());
    EXPECT_TRUE(Frame().OnDropFiles({QUrl::fromLocalFile(path), QUrl::fromLocalFile("/x.V7N")}));
    EXPECT_EQ(ui->messages.size(), 1u) << "the save-changes question";
    EXPECT_EQ(Doc().GetName(0), "Zentrale");
    EXPECT_EQ(Frame().windowTitle(), QString("drop.V7N - Quintara"));
}

TEST_F(FileCommands, SavingGoesThroughTheFirstViewAndItsSettings) {
    // The window's view holds the layout settings: a save writes what the
    // view holds, an open puts what the file holds into the view.
    Start();
    View().Values() = LayoutValues{33, 444, 555, 77, 88, 3};
    Doc().SetName(0, "ABC");
    const QString path = TempPath("view.V7N");
    ASSERT_TRUE(Doc().DoSave(path));
    Bytes expected = TestDataFile("default.V7N");
    const Bytes head = {33, 0, 0, 0, 0xBC, 1, 0, 0, 0x2B, 2, 0, 0, 77, 0, 88, 0, 3, 0, 0, 0};
    std::copy(head.begin(), head.end(), expected.begin());
    expected[148] = 3;
    expected.insert(expected.begin() + 149, {'A', 'B', 'C'});
    EXPECT_EQ(ReadFileBytes(path), expected);

    ASSERT_TRUE(Frame().ExecuteCommand(ID_FILE_NEW));
    View().Values() = LayoutValues{};
    ASSERT_TRUE(app->OpenDocumentFile(path, false));
    EXPECT_EQ(View().Values(), (LayoutValues{33, 444, 555, 77, 88, 3}));
}
