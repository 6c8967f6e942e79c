// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/NameEdit.h"

#include "platform/base/CodePage.h"
#include "platform/ui/StringTable.h"
#include "resources/Resource.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QValidator>
#include <algorithm>

namespace {

// Puts '?' for characters code page 1252 cannot hold, and cuts an insertion
// at the point where the text would grow wider than the editor may hold.
class NameValidator final : public QValidator {
public:
    explicit NameValidator(CNameEdit* edit) : QValidator(edit), edit_(edit) {}

    State validate(QString& input, int& pos) const override {
        int replaced = 0;
        if (!codepage::Cp1252CanHold(input)) {
            // The text before the change holds none, so only what was just
            // typed or pasted is replaced; a pair of surrogates is one '?'.
            const qsizetype before = input.size();
            input = codepage::KeepCp1252(input, replaced);
            pos = std::clamp(pos - int(before - input.size()), 0, int(input.size()));
        }
        const State state = Fit(input, pos);
        if (state == Acceptable)
            edit_->ReportReplaced(replaced);
        return state;
    }

private:
    State Fit(QString& input, int& pos) const {
        if (edit_->MayHold(input))
            return Acceptable;
        const QString& before = edit_->AcceptedText();
        if (input.size() <= before.size())
            return Acceptable; // deleting never makes it worse
        // The new text is head + inserted + rest, with the cursor after the
        // insertion; keep as much of the insertion as fits.
        const int cursor = std::clamp(pos, 0, int(input.size()));
        int a = 0;
        while (a < cursor && a < before.size() && input.at(a) == before.at(a))
            ++a;
        const QString head = input.left(a);
        QString inserted = input.mid(a, cursor - a);
        const QString rest = input.mid(cursor);
        while (!inserted.isEmpty() && !edit_->MayHold(head + inserted + rest))
            inserted.chop(1);
        if (inserted.isEmpty()) {
            QApplication::beep();
            return Invalid;
        }
        input = head + inserted + rest;
        pos = int(head.size() + inserted.size());
        return Acceptable;
    }

    CNameEdit* edit_;
};

} // namespace

CNameEdit::CNameEdit(QWidget* parent) : QLineEdit(parent) {
    setObjectName(QStringLiteral("IDC_NAME_EDIT"));
    setProperty("controlId", 1000);
    // A plain one-pixel border, as a bare edit control has.
    setFrame(false);
    setStyleSheet(QStringLiteral(
        "CNameEdit { border: 1px solid black; background: white; color: black; padding: 0px; }"));
    setValidator(new NameValidator(this));
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { accepted_ = text; });
    setContextMenuPolicy(Qt::DefaultContextMenu);
}

bool CNameEdit::Fits(const QString& text) const {
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    // The line edit keeps two pixels of margin on each side of the text.
    const int room = contents.width() - 4;
    return fontMetrics().horizontalAdvance(text) <= room;
}

void CNameEdit::Open(const QString& text) {
    openedWidth_ = fontMetrics().horizontalAdvance(text);
    setText(text);
}

bool CNameEdit::MayHold(const QString& text) const {
    return Fits(text) || fontMetrics().horizontalAdvance(text) <= openedWidth_;
}

CNameEdit::TextKey CNameEdit::TextKeyOf(const QKeyEvent& key) {
    const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::ControlModifier) {
        switch (key.key()) {
        case Qt::Key_C:
        case Qt::Key_Insert:
            return TextKey::Copy;
        case Qt::Key_X:
            return TextKey::Cut;
        case Qt::Key_V:
            return TextKey::Paste;
        case Qt::Key_Z:
            return TextKey::Undo;
        case Qt::Key_Y:
            return TextKey::Redo;
        case Qt::Key_A:
            return TextKey::SelectAll;
        default:
            return TextKey::None;
        }
    }
    if (mods == (Qt::ControlModifier | Qt::ShiftModifier) && key.key() == Qt::Key_Z)
        return TextKey::Redo;
    if (mods == Qt::AltModifier && key.key() == Qt::Key_Backspace)
        return TextKey::Undo;
    if (mods == Qt::ShiftModifier) {
        if (key.key() == Qt::Key_Delete)
            return TextKey::Cut;
        if (key.key() == Qt::Key_Insert)
            return TextKey::Paste;
    }
    return TextKey::None;
}

bool CNameEdit::ClaimsKey(const QKeyEvent& key) const {
    return TextKeyOf(key) != TextKey::None;
}

bool CNameEdit::OwnMenuOpen() const {
    const auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    for (const QWidget* w = menu; w; w = w->parentWidget()) {
        if (w == this)
            return true;
    }
    return false;
}

bool CNameEdit::event(QEvent* e) {
    if (e->type() == QEvent::ShortcutOverride && ClaimsKey(*static_cast<QKeyEvent*>(e))) {
        e->accept();
        return true;
    }
    if (e->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(e);
        // Spelled out rather than left to the platform's key bindings,
        // which differ between desktops. Pasted text passes the validator.
        switch (TextKeyOf(*key)) {
        case TextKey::Copy:
            copy();
            return true;
        case TextKey::Cut:
            cut();
            return true;
        case TextKey::Paste:
            paste();
            return true;
        case TextKey::Undo:
            undo();
            return true;
        case TextKey::Redo:
            redo();
            return true;
        case TextKey::SelectAll:
            selectAll();
            return true;
        case TextKey::None:
            break;
        }
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (plain && move_ && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            move_(key->key() == Qt::Key_Up ? -1 : 1);
            return true;
        }
        int ch = 0;
        switch (key->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            ch = 9;
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            ch = 13;
            break;
        case Qt::Key_Escape:
            ch = 27;
            break;
        default:
            break;
        }
        if (ch != 0) {
            if (keyHandler_)
                keyHandler_(ch, int(key->nativeScanCode() & 0xFFFF));
            return true; // never inserted, never passed on
        }
    }
    return QLineEdit::event(e);
}

void CNameEdit::contextMenuEvent(QContextMenuEvent* e) {
    QMenu* const menu = createStandardContextMenu();
    // Qt's menu calls redo "Wiederherstellen"; the main menu and its status
    // texts say "Wiederholen", and one program uses one word. Its entries
    // are known by their (translated) texts alone.
    const auto label = [](const QString& text) { return text.section(QLatin1Char('\t'), 0, 0); };
    const QString qtUndo = QCoreApplication::translate("QLineEdit", "&Undo");
    const QString qtRedo = QCoreApplication::translate("QLineEdit", "&Redo");
    for (QAction* action : menu->actions()) {
        if (label(action->text()) == qtUndo)
            action->setText(LoadStr(IDS_MENU_UNDO));
        else if (label(action->text()) == qtRedo)
            action->setText(LoadStr(IDS_MENU_REDO));
    }
    // As Qt's own editor does: shown without a loop of its own.
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(e->globalPos());
}

void CNameEdit::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    // The editor's own context menu takes the focus only while it is open
    // and then acts on this field; every other focus change commits.
    if (e->reason() == Qt::PopupFocusReason && OwnMenuOpen())
        return;
    if (focusLost_)
        focusLost_();
}
