// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppFixture.h"
#include "StripFiles.h"
#include "platform/base/CodePage.h"
#include "resources/Resource.h"
#include "view/NameEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QTest>

namespace {

class Editing : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        Start();
        ShowActive();
    }
    // The centre of field i in client coordinates.
    QPoint FieldCentre(int i) {
        RECT r;
        View().GetFieldRect(i, r, nullptr);
        const POINT s = View().GetScrollPosition();
        return QPoint((r.left + r.right) / 2 - s.x, (r.top + r.bottom) / 2 - s.y);
    }
    void ClickField(int i) { Click(FieldCentre(i)); }
    void Click(QPoint p) { QTest::mouseClick(View().viewport(), Qt::LeftButton, {}, p); }
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = {}) {
        QTest::keyClick(QApplication::focusWidget(), key, mods);
    }
    void Type(const QString& text) {
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::Click, Edit(), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    CNameEdit* Edit() { return View().NameEdit(); }
    // Right-clicks the open editor and clicks the item of its own menu (Qt's
    // German texts).
    void ChooseFromEditorMenu(const QString& item) {
        // What the window system sends on a right click.
        const QPoint at = Edit()->rect().center();
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, Edit()->mapToGlobal(at));
        QApplication::sendEvent(Edit(), &click);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_TRUE(menu);
        QAction* chosen = nullptr;
        for (QAction* a : menu->actions()) {
            if (a->text().section('\t', 0, 0).remove('&') == item)
                chosen = a;
        }
        if (!chosen || !chosen->isEnabled()) {
            menu->close();
            FAIL() << item.toStdString() << " missing or disabled";
        }
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(chosen).center());
        EXPECT_FALSE(QApplication::activePopupWidget());
    }
    QRect ExpectedEditorGeometry(int i) {
        RECT r;
        View().GetFieldRect(i, r, nullptr);
        const POINT s = View().GetScrollPosition();
        return QRect(r.left - s.x, r.top + 3 - s.y, r.right + 12 - r.left,
                     r.bottom - 2 - r.top - 3);
    }
};

} // namespace

TEST_F(Editing, ClickOpensTheFieldAndTheDocumentSeesTheTextOnlyOnFocusLoss) {
    Doc().names[3] = "Alt";
    ClickField(3);
    EXPECT_EQ(View().editIndex, 3);
    ASSERT_TRUE(Edit()->isVisible());
    EXPECT_TRUE(Edit()->hasFocus());
    EXPECT_EQ(Edit()->text(), QString("Alt"));
    EXPECT_EQ(Edit()->geometry(), ExpectedEditorGeometry(3));
    Type("er");
    EXPECT_EQ(Doc().GetName(3), "Alt");
    EXPECT_FALSE(Doc().IsModified());
    Key(Qt::Key_Return);
    EXPECT_EQ(Doc().GetName(3), "Alter");
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_FALSE(Edit()->isVisible());
    EXPECT_EQ(View().editIndex, -1);
}

TEST_F(Editing, EditorGeometryMatchesTheFieldInAWideWindow) {
    Frame().resize(400, 700);
    QApplication::processEvents();
    ClickField(0);
    RECT r;
    View().GetFieldRect(0, r, nullptr);
    EXPECT_EQ(Edit()->geometry(), QRect(r.left, 31, 114, 22));
    Key(Qt::Key_Tab);
    EXPECT_EQ(Edit()->geometry(), QRect(r.left, 58, 114, 23));
}

TEST_F(Editing, TabWalksThroughAllSixteenFieldsAndAround) {
    ClickField(0);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(View().editIndex, i);
        Type(QString("Taste %1").arg(i));
        Key(i % 2 ? Qt::Key_Backtab : Qt::Key_Tab, i % 2 ? Qt::ShiftModifier : Qt::NoModifier);
    }
    EXPECT_EQ(View().editIndex, 0) << "Tab from field 15 opens field 0";
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(Doc().GetName(i), "Taste " + std::to_string(i));
    // The keys never reach the text.
    EXPECT_EQ(Edit()->text(), QString("Taste 0"));
}

TEST_F(Editing, UnchangedTextAndEscLeaveTheModifiedFlagAlone) {
    Doc().names[5] = "Fax";
    ClickField(5);
    Key(Qt::Key_Tab);
    Key(Qt::Key_Return);
    EXPECT_FALSE(Doc().IsModified());

    ClickField(5);
    Type("xyz");
    Key(Qt::Key_Escape);
    EXPECT_EQ(Doc().GetName(5), "Fax");
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_FALSE(Edit()->isVisible());
    EXPECT_EQ(Edit()->text(), QString("Fax"));
}

TEST_F(Editing, ClicksElsewhereStoreBeforeTheNextFieldOpens) {
    ClickField(2);
    Type("zwei");
    ClickField(4);
    EXPECT_EQ(Doc().GetName(2), "zwei");
    EXPECT_EQ(View().editIndex, 4);
    EXPECT_EQ(Edit()->text(), QString());
    Type("vier");
    // Beside the strip: stores and opens nothing.
    RECT r;
    View().GetFieldRect(4, r, nullptr);
    Click(QPoint(r.right + 15 - View().GetScrollPosition().x, FieldCentre(4).y()));
    EXPECT_EQ(Doc().GetName(4), "vier");
    EXPECT_EQ(View().editIndex, -1);
    EXPECT_FALSE(Edit()->isVisible());
    // Above the first field, in the strip's margin: the same.
    ClickField(1);
    Type("eins");
    Click(QPoint(FieldCentre(0).x(), 20 - View().GetScrollPosition().y));
    EXPECT_EQ(Doc().GetName(1), "eins");
    EXPECT_EQ(View().editIndex, -1);
}

TEST_F(Editing, FieldsOutOfSightScrollTenPixelsBelowTheTop) {
    Frame().resize(300, 260);
    QApplication::processEvents();
    View().OnInitialUpdate();
    ASSERT_GT(View().verticalScrollBar()->maximum(), 200);
    ClickField(0);
    for (int i = 0; i < 15; ++i)
        Key(Qt::Key_Tab);
    EXPECT_EQ(View().editIndex, 15);
    EXPECT_EQ(View().GetScrollPosition().y, View().verticalScrollBar()->maximum())
        << "field 15 near the end: as far as the range allows";
    EXPECT_EQ(Edit()->geometry(), ExpectedEditorGeometry(15));
    Key(Qt::Key_Tab);
    EXPECT_EQ(View().editIndex, 0);
    EXPECT_EQ(View().GetScrollPosition().y, 18);
    EXPECT_EQ(Edit()->geometry(), ExpectedEditorGeometry(0));
    // A field wholly inside the client area does not scroll.
    Key(Qt::Key_Tab);
    EXPECT_EQ(View().GetScrollPosition().y, 18);
}

TEST_F(Editing, ResizingKeepsTheEditorOverItsField) {
    ClickField(1);
    for (int width : {200, 520, 300}) {
        Frame().resize(width, 478);
        QApplication::processEvents();
        EXPECT_EQ(Edit()->geometry(), ExpectedEditorGeometry(1)) << width;
    }
    // Scrolling by the user moves the editor with the picture.
    Frame().resize(300, 260);
    QApplication::processEvents();
    ClickField(1);
    View().verticalScrollBar()->setValue(30);
    EXPECT_EQ(Edit()->geometry(), ExpectedEditorGeometry(1));
    EXPECT_EQ(View().editIndex, 1);
}

TEST_F(Editing, TypingStopsAtTheRightEdgeAndWhatCodePage1252LacksBecomesAQuestionMark) {
    ClickField(6);
    Type(QString(60, 'W'));
    const QString typed = Edit()->text();
    EXPECT_LT(typed.size(), 60);
    EXPECT_GT(typed.size(), 3);
    EXPECT_TRUE(Edit()->Fits(typed));
    EXPECT_FALSE(Edit()->Fits(typed + "W"));

    // What code page 1252 lacks becomes '?', as in the strip's file, typed
    // or pasted, and the status bar counts it.
    Edit()->clear();
    Type(QString::fromUtf8("Łódź €"));
    EXPECT_EQ(Edit()->text(), QString::fromUtf8("?ód? €"));
    EXPECT_EQ(Frame().MessagePane()->text(),
              QString::fromUtf8("1 Zeichen durch ? ersetzt (im Streifen nicht speicherbar)."));
    Edit()->clear();
    QApplication::clipboard()->setText(QString::fromUtf8("Łódź Test 😀"));
    Edit()->paste();
    EXPECT_EQ(Edit()->text(), QString::fromUtf8("?ód? Test ?"));
    EXPECT_EQ(Frame().MessagePane()->text(),
              QString::fromUtf8("3 Zeichen durch ? ersetzt (im Streifen nicht speicherbar)."));
    // Pasted text is cut where it stops fitting.
    Edit()->clear();
    QApplication::clipboard()->setText(QString(80, 'M'));
    Edit()->paste();
    EXPECT_GT(Edit()->text().size(), 0);
    EXPECT_TRUE(Edit()->Fits(Edit()->text()));
}

TEST_F(Editing, TheEditorsMenuAndClipboardKeysCarryANameToAnotherField) {
    Doc().names[2] = "Zentrale";
    ClickField(2);
    ChooseFromEditorMenu(QString::fromUtf8("Alles auswählen"));
    EXPECT_EQ(View().editIndex, 2) << "the editor's own menu does not close the field";
    EXPECT_TRUE(Edit()->hasFocus());
    ChooseFromEditorMenu("Kopieren");
    EXPECT_EQ(QApplication::clipboard()->text(), QString("Zentrale"));
    ClickField(5);
    ChooseFromEditorMenu(QString::fromUtf8("Einfügen"));
    Key(Qt::Key_Return);
    EXPECT_EQ(Doc().GetName(5), "Zentrale");

    Doc().names[3] = "Kasse";
    ClickField(3);
    Key(Qt::Key_A, Qt::ControlModifier);
    Key(Qt::Key_C, Qt::ControlModifier);
    ClickField(6);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Edit()->text(), QString("Kasse"));
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Edit()->text(), QString());
    Key(Qt::Key_Insert, Qt::ShiftModifier);
    Key(Qt::Key_Return);
    EXPECT_EQ(Doc().GetName(6), "Kasse");

    // Pasted text obeys the editor's rules; the other undo and redo keys
    // act on the editor's text too, not on the strip.
    ClickField(7);
    QApplication::clipboard()->setText(QString(80, 'M'));
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_GT(Edit()->text().size(), 3);
    EXPECT_TRUE(Edit()->Fits(Edit()->text()));
    const QString fitted = Edit()->text();
    Key(Qt::Key_A, Qt::ControlModifier);
    Key(Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(Edit()->text(), QString());
    EXPECT_EQ(QApplication::clipboard()->text(), fitted);
    QApplication::clipboard()->setText(QString::fromUtf8("Łódź"));
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Edit()->text(), QString::fromUtf8("?ód?"));
    Type("ab");
    Key(Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(Edit()->text(), QString::fromUtf8("?ód?"));
    // The menu says redo as the main menu does.
    ChooseFromEditorMenu("Wiederholen");
    EXPECT_EQ(Edit()->text(), QString::fromUtf8("?ód?ab"));
    Key(Qt::Key_Z, Qt::ControlModifier);
    Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Edit()->text(), QString::fromUtf8("?ód?ab"));
    EXPECT_EQ(View().editIndex, 7);
    EXPECT_EQ(Doc().GetName(6), "Kasse") << "the strip's own undo did not run";
}

TEST_F(Editing, TypedNamesSurviveSaveAndOpenByteForByte) {
    ClickField(0);
    Type(QString::fromUtf8("Grüße €"));
    Key(Qt::Key_Tab);
    Type(QString::fromUtf8("Weiß"));
    const QString path = TempPath("typed.V7N");
    ui->fileAnswers = {path};
    // Saving commits the open field first.
    Frame().ExecuteCommand(ID_FILE_SAVE);
    EXPECT_EQ(Doc().GetName(1), std::string("Wei\xDF"));
    ui->messageAnswers = {MbResult::No};
    Frame().ExecuteCommand(ID_FILE_NEW);
    ASSERT_TRUE(app->OpenDocumentFile(path, false));
    EXPECT_EQ(Doc().GetName(0), std::string("Gr\xFC\xDF"
                                            "e \x80"));
    const Bytes bytes = ReadFileBytes(path);
    const std::string stored(bytes.begin() + 148, bytes.begin() + 148 + 8);
    EXPECT_EQ(stored, std::string("\x07Gr\xFC\xDF"
                                  "e \x80"));
    ClickField(0);
    EXPECT_EQ(Edit()->text(), QString::fromUtf8("Grüße €"));
}

TEST_F(Editing, ClosingTheWindowWhileEditingAsksToSaveTheTypedName) {
    ClickField(7);
    Type("Lager");
    ui->messageAnswers = {MbResult::Cancel};
    EXPECT_FALSE(Frame().close());
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(Doc().GetName(7), "Lager");
}

TEST_F(Editing, ANameWiderThanTheFieldIsEditedWholeAndNeverWidened) {
    // Wider than the field: the editor holds all of it and scrolls to the
    // caret; what the user deletes goes, nothing else.
    const std::string name = "Gesch\xE4"
                             "ftsf\xFChrung und Konferenzraum";
    Doc().names[3] = name;
    ClickField(3);
    EXPECT_EQ(Edit()->text(), codepage::Cp1252ToUnicode(name));
    EXPECT_FALSE(Edit()->Fits(Edit()->text()));
    Key(Qt::Key_Home);
    Key(Qt::Key_Delete);
    Key(Qt::Key_Return);
    EXPECT_EQ(Doc().GetName(3), name.substr(1));
    ClickField(3);
    Key(Qt::Key_End);
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Return);
    EXPECT_EQ(Doc().GetName(3), name.substr(1, name.size() - 2));

    // A typing error is corrected freely; the name never grows wider than
    // it was.
    ClickField(3);
    Key(Qt::Key_Home);
    Key(Qt::Key_Delete);
    Type("e");
    Type("WWWW");
    EXPECT_EQ(Edit()->text(), codepage::Cp1252ToUnicode(name.substr(1, name.size() - 2)));
    Key(Qt::Key_Escape);

    // A mebibyte of name: the editor holds what can ever show, and the rest
    // stays behind an edit.
    std::string huge;
    while (huge.size() < (1u << 20))
        huge += "Ab\x80\x01 ";
    huge += "Ende";
    Doc().names[4] = huge;
    ClickField(4);
    EXPECT_EQ(std::size_t(Edit()->text().size()), StripPainter::kVisibleNameChars);
    // Closed without a change, by Tab, Enter or Esc after typing.
    Key(Qt::Key_Tab);
    ClickField(4);
    Key(Qt::Key_Return);
    ClickField(4);
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Escape);
    EXPECT_EQ(Doc().GetName(4), huge);
    ClickField(4);
    Key(Qt::Key_Home);
    Key(Qt::Key_Delete);
    Key(Qt::Key_Return);
    EXPECT_EQ(Doc().GetName(4), huge.substr(1));
}
