// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one-line editor that lies over a field while its name is typed.
//
// Tab (and Shift+Tab), Enter and Esc are never inserted: they go straight
// to the view as edit keys. The editor holds the whole name and scrolls to
// the caret, so every character of a long name can be reached; typing and
// pasting stop where the text would grow wider than the field, or than the
// name was when the editor opened, whichever is wider (a name already too
// wide may be corrected, never widened). A character that code page 1252
// cannot hold becomes '?', as it would in the strip's file, and the editor
// says how many it replaced.
//
// The clipboard keys (Ctrl+C, Ctrl+X, Ctrl+V, Shift+Del, Ctrl+Ins,
// Shift+Ins), the undo keys (Ctrl+Z, Alt+Backspace) and redo keys (Ctrl+Y,
// Ctrl+Shift+Z), and Ctrl+A act on its text: it keeps them from the
// window's accelerators and shortcuts. Every other accelerator stays
// the window's. Opening its own context menu is not a loss of focus: the
// menu acts on the open field.

#include "platform/window/KeyClaimant.h"

#include <QLineEdit>

class QKeyEvent;
#include <functional>

class CNameEdit : public QLineEdit, public KeyClaimant {
    Q_OBJECT
public:
    explicit CNameEdit(QWidget* parent = nullptr);

    // Receives the edit keys synchronously: the character (9, 13 or 27) and
    // the key's flags word.
    void SetKeyHandler(std::function<void(int key, int flags)> handler) {
        keyHandler_ = std::move(handler);
    }
    // Called whenever the editor loses the keyboard focus, except to its
    // own context menu.
    void SetFocusLostHandler(std::function<void()> handler) { focusLost_ = std::move(handler); }
    // Up (-1) and Down (+1): the editor moves to the neighbouring field.
    void SetMoveHandler(std::function<void(int delta)> handler) { move_ = std::move(handler); }
    // Told how many typed or pasted characters became '?'.
    void SetReplacedHandler(std::function<void(int count)> handler) {
        replaced_ = std::move(handler);
    }
    void ReportReplaced(int count) const {
        if (replaced_ && count > 0)
            replaced_(count);
    }

    // Puts the name in the editor; its width is the most later typing may
    // take where it is wider than the field.
    void Open(const QString& text);
    // Whether the text fits the editor's width.
    bool Fits(const QString& text) const;
    // Whether typing may leave the text so: it fits, or it is no wider
    // than the name the editor opened with.
    bool MayHold(const QString& text) const;
    // The text before the change being validated.
    const QString& AcceptedText() const { return accepted_; }

    bool ClaimsKey(const QKeyEvent& key) const override;

protected:
    bool event(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    enum class TextKey { None, Copy, Cut, Paste, Undo, Redo, SelectAll };
    static TextKey TextKeyOf(const QKeyEvent& key);
    // Whether the open popup is a menu of this editor.
    bool OwnMenuOpen() const;

    std::function<void(int, int)> keyHandler_;
    std::function<void()> focusLost_;
    std::function<void(int)> replaced_;
    std::function<void(int)> move_;
    QString accepted_;
    int openedWidth_ = 0;
};
