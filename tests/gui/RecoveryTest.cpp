// SPDX-License-Identifier: GPL-3.0-or-later
// Unsaved changes outlive the program: the copy the window keeps after
// each change and at a signal, and the offer at the next start.

#include "AppFixture.h"
#include "StripFiles.h"
#include "app/recovery/RecoveryStore.h"
#include "app/recovery/SignalRelay.h"
#include "view/NameEdit.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTest>
#include <csignal>

namespace {

class Recovery : public AppFixture {
protected:
    QString Folder() const { return TempPath("state/quintara"); }
    // The strips kept in the folder, by stem.
    QStringList Strips() const {
        return QDir(Folder()).entryList({QStringLiteral("*.V7N")}, QDir::Files);
    }
    // A copy whose program is gone: no one holds its lock.
    void LeaveStrip(const QString& stem, const std::string& info, const char* source) {
        ASSERT_TRUE(recovery::Store(Folder()).Prepare());
        const recovery::Store store(Folder());
        WriteFileBytes(store.StripPath(stem), TestDataFile(source));
        QFile file(store.InfoPath(stem));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(info.data(), qint64(info.size()));
    }
};

constexpr int kDeadlineMs = 10000;

} // namespace

TEST_F(Recovery, TypingAndSignalsKeepACopyThatSavingRemoves) {
    Start();
    ShowActive();
    app->StartRecovery(Folder());
    const recovery::Store store(Folder());

    // Typed, not yet committed: the copy holds it shortly after.
    QTest::mouseClick(View().viewport(), Qt::LeftButton, {}, FieldPoint(2));
    QTest::keyClicks(View().NameEdit(), "Pforte");
    ASSERT_TRUE(QTest::qWaitFor([&] { return Strips().size() == 1; }, kDeadlineMs));
    const QString strip = QDir(Folder()).filePath(Strips().front());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return ReadFileBytes(strip).size() == TestDataFile("default.V7N").size() + 6; },
        kDeadlineMs));
    Bytes expected = TestDataFile("default.V7N");
    expected[150] = 6;
    expected.insert(expected.begin() + 151, {'P', 'f', 'o', 'r', 't', 'e'});
    EXPECT_EQ(ReadFileBytes(strip), expected);

    // A signal reaches the window, which writes the copy at once.
    QTest::keyClicks(View().NameEdit(), "n");
    int caught = 0;
    {
        SignalRelay relay([&](int signal) {
            caught = signal;
            app->WriteRecoveryNow();
        });
        ::raise(SIGTERM);
        ASSERT_TRUE(QTest::qWaitFor([&] { return caught != 0; }, kDeadlineMs));
    }
    EXPECT_EQ(caught, SIGTERM);
    EXPECT_EQ(ReadFileBytes(strip).size(), expected.size() + 1);

    // The session manager without interaction keeps the copy; with it,
    // the save question: Cancel keeps the session from ending.
    ui->messageAnswers = {MbResult::Cancel};
    EXPECT_FALSE(app->OnCommitData(true));
    EXPECT_EQ(ui->messages.back().text, QString::fromUtf8("Änderungen in Unbenannt speichern?"));

    // Saved, the copy goes.
    ASSERT_TRUE(Doc().DoSave(TempPath("pforte.V7N")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Strips().isEmpty(); }, kDeadlineMs));
    EXPECT_EQ(Doc().GetName(2), "Pforten");
}

TEST_F(Recovery, ALeftoverIsOfferedAndComesBackModifiedUnderItsPath) {
    const QString path = TempPath("kunde.V7N");
    LeaveStrip("window-1-1", "path=" + path.toStdString() + "\ntitle=kunde.V7N\n", "demo.V7N");
    LeaveStrip("window-2-2", "path=\ntitle=Unbenannt\n", "settings.V7N");
    // One whose program still runs is not offered.
    const recovery::Store store(Folder());
    LeaveStrip("window-3-3", "path=\ntitle=offen\n", "demo.V7N");
    const auto running = recovery::Lock::Take(store.LockPath("window-3-3"), true);
    ASSERT_NE(running, nullptr);
    QFile older(store.StripPath("window-2-2"));
    ASSERT_TRUE(older.open(QIODevice::ReadWrite));
    ASSERT_TRUE(older.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                                  QFileDevice::FileModificationTime));
    older.close();

    Start();
    ui->messageAnswers = {MbResult::Yes};
    app->StartRecovery(Folder());
    ASSERT_EQ(ui->MessageTexts(),
              QStringList({QString::fromUtf8(
                  "Die Änderungen an kunde.V7N wurden nicht gespeichert. Wiederherstellen?")}));
    EXPECT_EQ(ui->messages[0].buttons, MbButtons::YesNo);
    EXPECT_EQ(Doc().GetName(0), "Zentrale");
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(Doc().GetPathName(), path);
    EXPECT_EQ(Doc().GetTitle(), QString("kunde.V7N"));
    // Taken over by this window's own copy; the older one waits, the
    // running one is untouched.
    EXPECT_FALSE(QFile::exists(store.StripPath("window-1-1")));
    EXPECT_TRUE(QFile::exists(store.StripPath("window-2-2")));
    EXPECT_TRUE(QFile::exists(store.StripPath("window-3-3")));

    // At the next start "Nein" gives the older one up.
    app->EndRecovery();
    app.reset();
    ui->messages.clear();
    Start();
    ui->messageAnswers = {MbResult::No};
    app->StartRecovery(Folder());
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_FALSE(QFile::exists(store.StripPath("window-2-2")));
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(Strips(), QStringList({"window-3-3.V7N"}));
}
