// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppFixture.h"
#include "platform/framework/DocumentBase.h"
#include "platform/window/FrameWindowBase.h"
#include "platform/window/ScrollViewBase.h"
#include "resources/Resource.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>

using ShellTest = AppFixture;

namespace {

QStringList MenuTitles(QMainWindow& frame) {
    QStringList titles;
    for (QAction* a : frame.menuBar()->actions())
        titles << a->text();
    return titles;
}

} // namespace

TEST_F(ShellTest, StartsWithAnEmptyUntitledStripAndTheMenus) {
    Start();
    EXPECT_EQ(Frame().windowTitle(), QString("Unbenannt - Quintara"));
    EXPECT_EQ(MenuTitles(Frame()), QStringList({"&Datei", "&Bearbeiten", "&Ansicht", "&?"}));
    EXPECT_EQ(Doc().names.size(), 16u);
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(Frame().MessagePane()->text(), QString("Zusatzfunktionen: rechte Maustaste"));
    Frame().UpdateCommandUi();
    EXPECT_TRUE(Action(ID_FILE_NEW)->isEnabled());
    EXPECT_TRUE(Action(ID_FILE_SAVE)->isEnabled());
    EXPECT_TRUE(Action(ID_APP_ABOUT)->isEnabled());
    // The recent-file placeholder is greyed while the list is empty.
    Frame().UpdateRecentFileMenu();
    QAction* recent = Action(ID_FILE_MRU_FILE1);
    EXPECT_EQ(recent->text(), QString("Letzte Datei"));
    EXPECT_FALSE(recent->isEnabled());
    EXPECT_EQ(Action(ID_OPTIONS)->statusTip(),
              QString("Einstellung der Graustufe, der Positionierung usw."));
}

TEST_F(ShellTest, InitialFrameSizeFollowsTheStripAtTheDisplayResolution) {
    EXPECT_EQ(CMainFrame::InitialSize(96, 96, 768), QSize(300, 478));
    EXPECT_EQ(CMainFrame::InitialSize(96, 96, 500), QSize(300, 450));
    EXPECT_EQ(CMainFrame::InitialSize(96, 96, 528), QSize(300, 478));
    // A fine display makes the frame wider than the minimum.
    EXPECT_EQ(CMainFrame::InitialSize(300, 300, 2000), QSize(307 + 40, 1431 + 20));
}

TEST_F(ShellTest, SaveChangesQuestionCancelKeepsEverything) {
    Start();
    Doc().SetName(2, "Empfang");
    ui->messageAnswers = {MbResult::Cancel};
    EXPECT_FALSE(app->OnFileNew());
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].text, QString::fromUtf8("Änderungen in Unbenannt speichern?"));
    EXPECT_EQ(ui->messages[0].buttons, MbButtons::YesNoCancel);
    EXPECT_EQ(Doc().GetName(2), "Empfang");
    EXPECT_TRUE(Doc().IsModified());
}

TEST_F(ShellTest, SaveChangesQuestionNoDropsTheStrip) {
    Start();
    Doc().SetName(2, "Empfang");
    ui->messageAnswers = {MbResult::No};
    EXPECT_TRUE(app->OnFileNew());
    EXPECT_EQ(Doc().GetName(2), "");
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_TRUE(ui->fileRequests.empty());
}

TEST_F(ShellTest, SaveChangesQuestionYesSavesThenStartsNew) {
    Start();
    Doc().SetName(2, "Empfang");
    const QString path = TempPath("strip.V7N");
    ui->messageAnswers = {MbResult::Yes};
    ui->fileAnswers = {path};
    EXPECT_TRUE(app->OnFileNew());
    ASSERT_EQ(ui->fileRequests.size(), 1u);
    EXPECT_TRUE(ui->fileRequests[0].save);
    EXPECT_EQ(ui->fileRequests[0].title, QString("Speichern unter"));
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(Doc().GetName(2), "");
    EXPECT_EQ(Frame().windowTitle(), QString("Unbenannt - Quintara"));
    ASSERT_EQ(app->RecentFiles().Count(), 1);
    EXPECT_EQ(app->RecentFiles().Entries().first(), path);
}

TEST_F(ShellTest, SaveChangesQuestionYesWithFailedSaveKeepsTheStrip) {
    Start();
    Doc().SetName(2, "Empfang");
    ui->messageAnswers = {MbResult::Yes};
    ui->fileAnswers = {TempPath("missing-folder/strip.V7N")};
    EXPECT_FALSE(app->OnFileNew());
    ASSERT_EQ(ui->messages.size(), 2u);
    EXPECT_EQ(ui->messages[1].text, QString::fromUtf8("Ungültiger Dateiname."));
    EXPECT_EQ(Doc().GetName(2), "Empfang");
    EXPECT_TRUE(Doc().IsModified());

    // A cancelled file dialog also keeps the strip.
    ui->messageAnswers = {MbResult::Yes};
    ui->fileAnswers = {QString()};
    EXPECT_FALSE(app->OnFileNew());
    EXPECT_EQ(Doc().GetName(2), "Empfang");
}

TEST_F(ShellTest, ClosingAModifiedStripAsksFirst) {
    Start();
    ShowActive();
    Doc().SetName(0, "x");
    ui->messageAnswers = {MbResult::Cancel};
    EXPECT_FALSE(Frame().close());
    EXPECT_TRUE(Frame().isVisible());
    ui->messageAnswers = {MbResult::No};
    EXPECT_TRUE(Frame().close());
    EXPECT_EQ(ui->messages.size(), 2u);
}

TEST_F(ShellTest, AcceleratorKeysAreTakenBeforeTheFocusedWidget) {
    Start();
    auto* edit = new QLineEdit(View().viewport());
    ShowActive();
    edit->show();
    edit->setFocus();
    QApplication::clipboard()->setText("eingefuegt");
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(edit->text(), QString()) << "paste keys have no handler and do nothing";
    QTest::keyClicks(edit, "ab");
    EXPECT_EQ(edit->text(), QString("ab"));

    // Ctrl+N reaches File New through the same table.
    Doc().SetName(1, "y");
    ui->messageAnswers = {MbResult::No};
    QTest::keyClick(edit, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(Doc().GetName(1), "");
}

TEST_F(ShellTest, HelpShowsTheGuideOrSaysItIsMissing) {
    Start();
    app->SetHelpExecutable(TempPath("quintara"));
    app->OnHelp();
    EXPECT_EQ(ui->MessageTexts(), QStringList({"Die Hilfe konnte nicht aufgerufen werden."}));
    app->SetHelpExecutable(QStringLiteral(QUINTARA_BINARY_DIR "/quintara"));
    app->OnHelp();
    EXPECT_EQ(ui->messages.size(), 1u);
}

TEST_F(ShellTest, AboutBoxShowsTheVersion) {
    Start();
    QStringList texts;
    ui->dialogScripts.push_back([&](QDialog& dialog) {
        texts << dialog.windowTitle();
        for (QLabel* l : dialog.findChildren<QLabel*>())
            texts << l->text();
        return int(QDialog::Accepted);
    });
    EXPECT_TRUE(Frame().ExecuteCommand(ID_APP_ABOUT));
    EXPECT_TRUE(texts.contains(QString::fromUtf8("Info über Quintara")));
    EXPECT_TRUE(texts.contains("Version 1.4.0"));
}

namespace {

// Targets that record which of them took a command.
struct Recorder {
    QStringList log;
};

class RoutedView : public ScrollViewBase {
public:
    RoutedView(Recorder& r) {
        OnCommand(1, [&r] { r.log << "view"; });
    }
    void OnDraw(DeviceContext&) override {}
};

class RoutedDoc : public DocumentBase {
public:
    RoutedDoc(Recorder& r) {
        OnCommand(1, [&r] { r.log << "doc"; });
        OnCommand(2, [&r] { r.log << "doc"; });
    }
    void Serialize(Archive&) override {}
};

class RoutedFrame : public FrameWindowBase {
public:
    RoutedFrame(Recorder& r) {
        OnCommand(2, [&r] { r.log << "frame"; });
        OnCommand(
            3, [&r] { r.log << "frame"; }, [](CmdUi& ui) { ui.Enable(false); });
        OnCommand(4, [&r] { r.log << "frame"; });
    }
};

class RoutedApp : public CommandTarget {
public:
    RoutedApp(Recorder& r) {
        OnCommand(4, [&r] { r.log << "app"; });
        OnCommand(5, [&r] { r.log << "app"; });
    }
};

} // namespace

TEST(CommandRouting, ViewThenDocumentThenFrameThenApplication) {
    Recorder rec;
    RoutedFrame frame(rec);
    auto* view = new RoutedView(rec);
    frame.setCentralWidget(view);
    RoutedDoc doc(rec);
    RoutedApp appTarget(rec);
    frame.SetRouting(view, &doc, &appTarget);
    for (int id : {1, 2, 3, 4, 5, 6})
        frame.ExecuteCommand(id);
    EXPECT_EQ(rec.log, QStringList({"view", "doc", "frame", "app"}));
    EXPECT_FALSE(frame.QueryCommand(3).Enabled()) << "the frame's update handler disables it";
    EXPECT_FALSE(frame.QueryCommand(6).Enabled()) << "nobody handles 6";
    EXPECT_TRUE(frame.QueryCommand(5).Enabled());
}
