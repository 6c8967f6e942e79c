// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/window/FrameWindowBase.h"

#include "platform/framework/DocumentBase.h"
#include "platform/ui/Keyboard.h"
#include "platform/ui/StringTable.h"
#include "platform/window/KeyClaimant.h"
#include "platform/window/ScrollViewBase.h"
#include "resources/Resource.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>

FrameWindowBase::FrameWindowBase(QWidget* parent) : QMainWindow(parent) {
    qApp->installEventFilter(this);
    OnCommand(
        ID_VIEW_TOOLBAR, [this] { toolBar_->setVisible(!toolBar_->isVisible()); },
        [this](CmdUi& ui) {
            ui.Enable(toolBar_ != nullptr);
            ui.SetCheck(toolBar_ && toolBar_->isVisible());
        });
    OnCommand(
        ID_VIEW_STATUS_BAR, [this] { statusBar_->setVisible(!statusBar_->isVisible()); },
        [this](CmdUi& ui) {
            ui.Enable(statusBar_ != nullptr);
            ui.SetCheck(statusBar_ && statusBar_->isVisible());
        });
    OnCommand(ID_APP_EXIT, [this] { close(); });
}

FrameWindowBase::~FrameWindowBase() {
    qApp->removeEventFilter(this);
}

void FrameWindowBase::SetRouting(ScrollViewBase* view, DocumentBase* document, CommandTarget* app) {
    view_ = view;
    document_ = document;
    app_ = app;
}

bool FrameWindowBase::Route(int id, CmdUi* ui) {
    CommandTarget* targets[] = {previewTarget_, view_, document_, static_cast<CommandTarget*>(this),
                                app_};
    for (CommandTarget* t : targets) {
        if (t && t->OnCmdMsg(id, ui))
            return true;
    }
    return false;
}

CmdUi FrameWindowBase::QueryCommand(int id) {
    CmdUi ui(id);
    if (!Route(id, &ui))
        ui.Enable(false);
    return ui;
}

bool FrameWindowBase::ExecuteCommand(int id) {
    if (!QueryCommand(id).Enabled())
        return false;
    // Whatever the user is typing belongs to the document before any command runs.
    if (view_)
        view_->CommitPendingEdit();
    const bool handled = Route(id, nullptr);
    UpdateCommandUi();
    return handled;
}

void FrameWindowBase::UpdateCommandUi() {
    for (QAction* action : actions_) {
        const CmdUi ui = QueryCommand(action->data().toInt());
        action->setEnabled(ui.Enabled());
        if (ui.Checked()) {
            action->setCheckable(true);
            action->setChecked(*ui.Checked());
        }
        if (ui.Text())
            action->setText(*ui.Text());
    }
}

QAction* FrameWindowBase::CommandAction(int id, const QString& text) {
    auto* action = new QAction(text, this);
    action->setData(id);
    action->setStatusTip(LoadStrPart(id, 0));
    const QString tip = LoadStrPart(id, 1);
    action->setToolTip(tip.isEmpty()
                           ? QString(text).remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0)
                           : tip);
    connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
    actions_.push_back(action);
    for (const Accelerator& a : accelerators_)
        if (a.id == id)
            ExposeKeyBinding(action, a.key);
    return action;
}

void FrameWindowBase::AddAccelerator(const QKeySequence& key, int id) {
    accelerators_.push_back({key, id});
    for (QAction* action : actions_)
        if (action->data().toInt() == id)
            ExposeKeyBinding(action, key);
}

void FrameWindowBase::ExposeKeyBinding(QAction* action, const QKeySequence& key) {
    // A screen reader learns a menu item's key from its shortcut; the key
    // itself stays the accelerator table's, so the shortcut is one that
    // never fires outside the action's own widgets (none of which takes the
    // keyboard), and the menu shows the text after the tab as before.
    if (!action->shortcut().isEmpty())
        return;
    action->setShortcutContext(Qt::WidgetShortcut);
    action->setShortcut(key);
}

void FrameWindowBase::SetControlBars(QToolBar* toolBar, QStatusBar* statusBar) {
    toolBar_ = toolBar;
    statusBar_ = statusBar;
}

void FrameWindowBase::SetMessagePane(QLabel* message, QLabel* capsLock) {
    messagePane_ = message;
    capsPane_ = capsLock;
    ShowIdleMessage();
    UpdateCapsLockPane();
}

void FrameWindowBase::ShowResultMessage(const QString& text) {
    if (!messagePane_)
        return;
    // What a command did must be read whole: a text wider than the pane
    // takes a second line, until the next prompt takes its place.
    messagePane_->setWordWrap(true);
    messagePane_->setText(text);
}

void FrameWindowBase::ShowIdleMessage() {
    if (!messagePane_)
        return;
    messagePane_->setWordWrap(false);
    messagePane_->setText(InPreviewMode() ? previewMessage_ : LoadStr(IDS_IDLEMESSAGE));
}

void FrameWindowBase::BeginPreviewMode(QWidget* pane, CommandTarget* target,
                                       std::vector<Accelerator> keys) {
    if (InPreviewMode())
        return;
    // The view stays the frame's child, hidden, while the pane is shown.
    hiddenCentral_ = takeCentralWidget();
    if (hiddenCentral_) {
        hiddenCentral_->setParent(this);
        hiddenCentral_->hide();
    }
    sizeBeforePreview_ = size();
    toolBarWasShown_ = toolBar_ && !toolBar_->isHidden();
    if (toolBar_)
        toolBar_->hide();
    menuBarWasShown_ = menuWidget() && !menuWidget()->isHidden();
    if (menuWidget())
        menuWidget()->hide();
    previewPane_ = pane;
    previewTarget_ = target;
    previewKeys_ = std::move(keys);
    setCentralWidget(pane);
    if (isVisible())
        pane->show(); // at once, not when the layout next gets to it
    pane->setFocus(Qt::OtherFocusReason);
    ShowIdleMessage();
}

void FrameWindowBase::EndPreviewMode() {
    if (!InPreviewMode())
        return;
    // The pane may be ending from one of its own handlers: it goes later,
    // but stays the frame's child so that it never outlives the frame.
    QWidget* pane = takeCentralWidget();
    if (pane) {
        pane->setParent(this);
        pane->hide();
        pane->deleteLater();
    }
    previewPane_ = nullptr;
    previewTarget_ = nullptr;
    previewKeys_.clear();
    previewMessage_.clear();
    if (hiddenCentral_) {
        setCentralWidget(hiddenCentral_);
        hiddenCentral_->show();
        hiddenCentral_->setFocus(Qt::OtherFocusReason);
        hiddenCentral_ = nullptr;
    }
    if (toolBar_ && toolBarWasShown_)
        toolBar_->show();
    if (menuBarWasShown_ && menuWidget())
        menuWidget()->show();
    // The preview's bar may have widened the window.
    if (!isMaximized() && !isFullScreen())
        resize(sizeBeforePreview_);
    ShowIdleMessage();
    UpdateCommandUi();
}

void FrameWindowBase::SetPreviewMessage(const QString& text) {
    previewMessage_ = text;
    if (InPreviewMode())
        ShowIdleMessage();
}

void FrameWindowBase::UpdateCapsLockPane() {
    if (!capsPane_)
        return;
    const std::optional<bool> on = IsCapsLockOn();
    capsPane_->setText(on.value_or(false) ? LoadStr(ID_INDICATOR_CAPS) : QString());
}

void FrameWindowBase::WatchMenu(QMenu* menu) {
    // The open menu takes the focus and so commits a typed name anyway; done
    // first, the name's step shows in the menu.
    connect(menu, &QMenu::aboutToShow, this, [this] {
        if (view_)
            view_->CommitPendingEdit();
        UpdateCommandUi();
    });
    connect(menu, &QMenu::aboutToHide, this, [this] { ShowIdleMessage(); });
}

bool FrameWindowBase::event(QEvent* e) {
    if (e->type() == QEvent::StatusTip) {
        if (messagePane_) {
            const QString tip = static_cast<QStatusTipEvent*>(e)->tip();
            if (tip.isEmpty()) {
                ShowIdleMessage();
            } else {
                messagePane_->setWordWrap(false);
                messagePane_->setText(tip);
            }
        }
        return true;
    }
    if (e->type() == QEvent::WindowActivate)
        UpdateCapsLockPane();
    return QMainWindow::event(e);
}

bool FrameWindowBase::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() != QEvent::KeyPress && e->type() != QEvent::KeyRelease)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this)
        return false;
    auto* key = static_cast<QKeyEvent*>(e);
    if (key->key() == Qt::Key_CapsLock) {
        QTimer::singleShot(0, this, [this] { UpdateCapsLockPane(); });
        return false;
    }
    if (e->type() != QEvent::KeyPress)
        return false;
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    const QKeySequence pressed(QKeyCombination(mods, Qt::Key(key->key())));
    for (const Accelerator& a : InPreviewMode() ? previewKeys_ : accelerators_) {
        if (a.key == pressed) {
            if (FocusClaims(*key))
                return false;
            // The key is taken whether or not its command does anything.
            ExecuteCommand(a.id);
            return true;
        }
    }
    return false;
}

bool FrameWindowBase::FocusClaims(const QKeyEvent& key) const {
    QWidget* focus = QApplication::focusWidget();
    if (!focus || focus->window() != this)
        return false;
    const auto* claimant = dynamic_cast<const KeyClaimant*>(focus);
    return claimant && claimant->ClaimsKey(key);
}

void FrameWindowBase::closeEvent(QCloseEvent* e) {
    if (closeQuery_ && !closeQuery_()) {
        e->ignore();
        return;
    }
    e->accept();
}
