// SPDX-License-Identifier: GPL-3.0-or-later
// The strip without a mouse: the keyboard reaches the view and its fields,
// opens and leaves the editor, and a screen reader finds every field.

#include "AppFixture.h"
#include "StripFiles.h"
#include "platform/base/CodePage.h"
#include "view/NameEdit.h"
#include "view/OptionsDlg.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

class Keyboard : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        Start();
        ASSERT_TRUE(app->OpenDocumentFile(QStringLiteral(QUINTARA_TEST_DATA "/demo.V7N"), false));
        ShowActive();
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = {}) {
        QTest::keyClick(QApplication::focusWidget(), key, mods);
    }
};

} // namespace

TEST_F(Keyboard, TabReachesTheStripArrowsMoveAndEnterEditsTheCurrentField) {
    // Tab brings the keyboard to the strip; the focus frame marks field 0
    // and nothing else of the picture changes.
    Frame().setFocus();
    const QImage unfocused = View().viewport()->grab().toImage();
    for (int i = 0; i < 6 && !View().hasFocus(); ++i)
        Key(Qt::Key_Tab);
    ASSERT_TRUE(View().hasFocus());
    EXPECT_EQ(View().CurrentField(), 0);
    EXPECT_NE(View().viewport()->grab().toImage(), unfocused);

    // Down, End, Home, Page Down move it; Enter and F2 open the editor.
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    EXPECT_EQ(View().CurrentField(), 2);
    Key(Qt::Key_End);
    EXPECT_EQ(View().CurrentField(), 15);
    Key(Qt::Key_Home);
    Key(Qt::Key_PageDown);
    EXPECT_GT(View().CurrentField(), 1);
    Key(Qt::Key_Home);
    Key(Qt::Key_Down);
    Key(Qt::Key_Return);
    ASSERT_EQ(View().editIndex, 1);
    EXPECT_EQ(View().NameEdit()->accessibleName(), QString("Taste 2"));
    // Up and Down in the editor commit and move; Tab keeps its way.
    QTest::keyClicks(View().NameEdit(), "X");
    Key(Qt::Key_Down);
    EXPECT_EQ(View().editIndex, 2);
    EXPECT_EQ(Doc().GetName(1), "EmpfangX");
    Key(Qt::Key_Up);
    EXPECT_EQ(View().editIndex, 1);
    Key(Qt::Key_Tab);
    EXPECT_EQ(View().editIndex, 2);
    // Esc closes it; the keyboard stays on the field that was edited.
    Key(Qt::Key_Escape);
    EXPECT_EQ(View().editIndex, -1);
    EXPECT_TRUE(View().hasFocus());
    EXPECT_EQ(View().CurrentField(), 2);
    Key(Qt::Key_F2);
    EXPECT_EQ(View().editIndex, 2);
    Key(Qt::Key_Return);

    // The Menu key and Shift+F10 open the field menu for the current field.
    ui->menuAnswers = {-1, -1};
    Key(Qt::Key_Menu);
    Key(Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_EQ(ui->menus.size(), 2u);
    EXPECT_EQ(View().menuIndex, 2);
    RECT f;
    View().GetFieldRect(2, f, nullptr);
    const QPoint at = View().viewport()->mapFromGlobal(ui->menus[0].position);
    EXPECT_GE(at.y(), f.top - View().GetScrollPosition().y);
    EXPECT_LT(at.y(), f.bottom - View().GetScrollPosition().y);

    // The frame comes and goes with the focus; nothing else changes.
    Frame().setFocus();
    const QImage before = View().viewport()->grab().toImage();
    View().setFocus();
    EXPECT_NE(View().viewport()->grab().toImage(), before);
    Frame().setFocus();
    EXPECT_EQ(View().viewport()->grab().toImage(), before);
}

TEST_F(Keyboard, AScreenReaderFindsEveryFieldAndFollowsTheKeyboard) {
    QAccessibleInterface* strip = QAccessible::queryAccessibleInterface(&View());
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(strip->role(), QAccessible::List);
    ASSERT_EQ(strip->childCount(), 16);
    for (int i = 0; i < 16; ++i) {
        QAccessibleInterface* field = strip->child(i);
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->role(), QAccessible::ListItem);
        EXPECT_EQ(field->text(QAccessible::Name), codepage::Cp1252ToUnicode(Doc().GetName(i)));
        EXPECT_EQ(field->text(QAccessible::Description), QStringLiteral("Taste %1").arg(i + 1));
        EXPECT_EQ(strip->indexOfChild(field), i);
    }
    View().setFocus();
    QTest::keyClick(&View(), Qt::Key_Down);
    ASSERT_NE(strip->focusChild(), nullptr);
    EXPECT_EQ(strip->indexOfChild(strip->focusChild()), 1);
    EXPECT_TRUE(strip->child(1)->state().focused);
    EXPECT_FALSE(strip->child(0)->state().focused);
    EXPECT_TRUE(strip->child(1)->rect().contains(
        View().viewport()->mapToGlobal(QPoint(View().viewport()->width() / 2, 0)) +
        QPoint(0, strip->child(1)->rect().center().y() -
                      View().viewport()->mapToGlobal(QPoint()).y())));
    // The open editor is one more child, named as its key.
    QTest::keyClick(&View(), Qt::Key_Return);
    ASSERT_EQ(strip->childCount(), 17);
    EXPECT_EQ(strip->child(16)->text(QAccessible::Name), QString("Taste 2"));
}

TEST_F(Keyboard, EveryInputOfTheOptionsIsNamedByItsLabel) {
    ui->dialogScripts.push_back([](QDialog& d) -> int {
        auto& options = dynamic_cast<COptionsDlg&>(d);
        options.show();
        int tied = 0;
        for (QLabel* label : options.findChildren<QLabel*>())
            if (label->buddy())
                ++tied;
        EXPECT_EQ(tied, 6);
        for (const int id :
             {IDC_TEXT_OFFSET, IDC_LEFT_MARGIN, IDC_TOP_MARGIN, IDC_ZOOM_X, IDC_ZOOM_Y}) {
            QAccessibleInterface* field = QAccessible::queryAccessibleInterface(options.Edit(id));
            EXPECT_TRUE(field && !field->text(QAccessible::Name).isEmpty()) << id;
        }
        return int(QDialog::Rejected);
    });
    Frame().ExecuteCommand(ID_OPTIONS);
}

TEST_F(Keyboard, MenuItemsTellTheirKeysAndTheDesktopsKeysWork) {
    // The menu shows the key as before; its action carries it too.
    QAction* save = Action(ID_FILE_SAVE);
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_TRUE(save->text().contains('\t'));
    // Strg+Umschalt+S saves under a new name, Strg+Q ends as Beenden does.
    ui->fileAnswers = {TempPath("neu.V7N")};
    QTest::keyClick(&View(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(ui->fileRequests.size(), 1u);
    EXPECT_TRUE(ui->fileRequests[0].save);
    EXPECT_TRUE(QFile::exists(TempPath("neu.V7N")));
    Doc().SetName(0, "offen");
    ui->messageAnswers = {MbResult::Cancel};
    QTest::keyClick(&View(), Qt::Key_Q, Qt::ControlModifier);
    ASSERT_FALSE(ui->messages.empty());
    EXPECT_TRUE(ui->messages.back().text.startsWith(QString::fromUtf8("Änderungen in")));
    EXPECT_TRUE(Frame().isVisible());
}
