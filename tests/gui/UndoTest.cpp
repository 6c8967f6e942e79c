// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppFixture.h"
#include "StripFiles.h"
#include "resources/Resource.h"
#include "view/NameEdit.h"
#include "view/OptionsDlg.h"
#include "view/ShadeComboBox.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class Undo : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        Start();
        ShowActive();
    }
    void TypeName(int i, const QString& text) {
        QTest::mouseClick(View().viewport(), Qt::LeftButton, {}, FieldPoint(i));
        View().NameEdit()->selectAll();
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::Click, View().NameEdit(), Qt::Key_unknown, QString(c), {});
        QTest::keyClick(View().NameEdit(), Qt::Key_Return);
    }
    void Options(const QString& leftMargin, int shade, bool ok) {
        ui->dialogScripts.push_back([=](QDialog& dialog) {
            auto& d = dynamic_cast<COptionsDlg&>(dialog);
            d.show();
            d.Edit(IDC_LEFT_MARGIN)->setText(leftMargin);
            d.ShadeList()->setCurrentIndex(shade);
            QTest::mouseClick(ok ? d.OkButton() : d.CancelButton(), Qt::LeftButton);
            return d.result();
        });
        Frame().ExecuteCommand(ID_OPTIONS);
    }
    void SaveAs(const QString& path) {
        ui->fileAnswers.push_back(path);
        ASSERT_TRUE(Frame().ExecuteCommand(ID_FILE_SAVE_AS));
        ASSERT_FALSE(Doc().IsModified());
    }
    QString MenuText(int id) {
        Frame().UpdateCommandUi();
        return Action(id)->isEnabled() ? Action(id)->text() : QString();
    }
    void Keys(Qt::Key key, Qt::KeyboardModifiers mods) { QTest::keyClick(&View(), key, mods); }
    int Steps() const { return Doc().UndoStack().count(); }
};

} // namespace

TEST_F(Undo, EveryKindOfChangeUndoesAndRedoesByteForByteAndTheFlagFollows) {
    const QString original = TempPath("demo.V7N");
    WriteFileBytes(original, TestDataFile("demo.V7N"));
    ASSERT_TRUE(app->OpenDocumentFile(original, false));
    EXPECT_EQ(MenuText(ID_EDIT_UNDO), QString());
    EXPECT_EQ(Action(ID_EDIT_UNDO)->text(), QString::fromUtf8("&Rückgängig\tStrg+Z"));
    EXPECT_EQ(Action(ID_EDIT_REDO)->text(), QString("&Wiederholen\tStrg+Y"));
    EXPECT_FALSE(Action(ID_EDIT_REDO)->statusTip().isEmpty());

    // Each kind of change, one step each, named in the menu.
    const char* steps[] = {"Name eingeben",
                           "Feld einfügen",
                           "Feld entfernen",
                           "Hintergrundfarbe ändern",
                           "Hintergrundfarbe grau/weiss",
                           "Optionen",
                           "Schrift"};
    ui->colorAnswers.push_back([](COLORREF& c, CustomColors&) {
        c = 0x00FFFF;
        return true;
    });
    ui->fontAnswers.push_back([](LOGFONTA& lf) {
        lf.lfItalic = 1;
        lf.lfHeight = -21;
        return true;
    });
    const std::function<void()> changes[] = {
        [&] { TypeName(0, QString::fromUtf8("Grüße")); },
        [&] { RightClickField(1, 2); },
        [&] { RightClickField(6, 3); },
        [&] { RightClickField(4, 0); },
        [&] { RightClickField(3, 1); }, // field 2's colour 0x80FFFF00 moved down by one
        [&] { Options("3.5", 0, true); },
        [&] { Frame().ExecuteCommand(ID_FONT); },
    };
    for (int i = 0; i < 7; ++i) {
        changes[i]();
        EXPECT_EQ(Steps(), i + 1) << steps[i];
        EXPECT_TRUE(Doc().IsModified()) << steps[i];
        EXPECT_EQ(MenuText(ID_EDIT_UNDO),
                  QString::fromUtf8("&Rückgängig: %1\tStrg+Z").arg(QString::fromUtf8(steps[i])));
        if (i == 0) { // back at the opened state: unmodified; away again: modified
            Keys(Qt::Key_Z, Qt::ControlModifier);
            EXPECT_FALSE(Doc().IsModified());
            EXPECT_EQ(Doc().GetName(0), "Zentrale");
            EXPECT_EQ(MenuText(ID_EDIT_REDO), "&Wiederholen: Name eingeben\tStrg+Y");
            Keys(Qt::Key_Y, Qt::ControlModifier);
            EXPECT_TRUE(Doc().IsModified());
        }
    }
    // Changes that change nothing, and refusals, make no step.
    TypeName(0, QString::fromUtf8("Grüße"));
    Options("3.5", 0, true);
    Options("9", 1, false);
    ui->fontAnswers.push_back([](LOGFONTA&) { return true; });
    Frame().ExecuteCommand(ID_FONT);
    RightClickField(5, 1);
    EXPECT_EQ(Steps(), 7);

    const QString changed = TempPath("changed.V7N");
    SaveAs(changed);
    Keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(Doc().IsModified());
    Keys(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(Doc().IsModified()) << "back at the saved state";

    for (int i = 0; i < 7; ++i) {
        Keys(i % 2 ? Qt::Key_Z : Qt::Key_Backspace, i % 2 ? Qt::ControlModifier : Qt::AltModifier);
        EXPECT_TRUE(Doc().IsModified()) << i;
    }
    EXPECT_EQ(MenuText(ID_EDIT_UNDO), QString());
    const QString undone = TempPath("undone.V7N");
    SaveAs(undone);
    EXPECT_EQ(ReadFileBytes(undone), ReadFileBytes(original));

    for (int i = 0; i < 7; ++i) {
        Keys(Qt::Key_Y, Qt::ControlModifier);
        EXPECT_TRUE(Doc().IsModified()) << i;
    }
    EXPECT_EQ(MenuText(ID_EDIT_REDO), QString());
    const QString redone = TempPath("redone.V7N");
    SaveAs(redone);
    EXPECT_EQ(ReadFileBytes(redone), ReadFileBytes(changed));

    // New, Open and a failed open start without steps.
    RightClickField(0, 2);
    ui->messageAnswers = {MbResult::No};
    Frame().ExecuteCommand(ID_FILE_NEW);
    EXPECT_EQ(Steps(), 0);
    RightClickField(0, 2);
    ui->messageAnswers = {MbResult::No};
    ASSERT_TRUE(app->OpenDocumentFile(original));
    EXPECT_EQ(Steps(), 0);
    RightClickField(0, 2);
    const QString broken = TempPath("broken.V7N");
    WriteFileBytes(broken, Bytes(30, 1));
    ui->messageAnswers = {MbResult::No, MbResult::Ok};
    EXPECT_FALSE(app->OpenDocumentFile(broken));
    EXPECT_EQ(Steps(), 0);
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(Undo, InsideTheEditorTheKeysActOnItsTextAndAnOpenFieldIsCommittedFirst) {
    TypeName(2, "Kasse");
    QTest::mouseClick(View().viewport(), Qt::LeftButton, {}, FieldPoint(3));
    QTest::keyClicks(View().NameEdit(), "Amt");
    QTest::keyClick(View().NameEdit(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(View().NameEdit()->text(), QString());
    QTest::keyClick(View().NameEdit(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(View().NameEdit()->text(), QString("Amt"));
    EXPECT_EQ(Steps(), 1) << "the strip's steps stay as they were";

    // The menu's Undo stores the open field first, then takes that step back.
    Frame().UpdateCommandUi();
    Action(ID_EDIT_UNDO)->trigger();
    EXPECT_EQ(View().editIndex, -1);
    EXPECT_EQ(Doc().GetName(3), "");
    EXPECT_EQ(Doc().GetName(2), "Kasse");
    EXPECT_EQ(MenuText(ID_EDIT_REDO), "&Wiederholen: Name eingeben\tStrg+Y");
}
