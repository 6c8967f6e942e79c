#pragma once
// A UI host for tests: records every box and chooser the code under test
// shows and answers from a script. Nothing ever blocks on a real window.

#include "platform/ui/UiHost.h"

#include <QDialog>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

struct ShownMessage {
    QString text;
    MbButtons buttons;
    MbIcon icon;
};

class ScriptedUiHost final : public UiHost {
public:
    // Installs itself and uninstalls on destruction.
    ScriptedUiHost();
    ~ScriptedUiHost() override;

    // Answers, taken in order; without one a box answers OK / Cancel.
    std::deque<MbResult> messageAnswers;
    // Runs while a box is open, before it is answered (not for boxes shown
    // meanwhile): a test can let events arrive or set the answer.
    std::function<void(const ShownMessage&)> whileShown;
    // File answers: a path, or an empty string for a cancelled dialog; for
    // a dialog of several files, the paths joined by newlines.
    std::deque<QString> fileAnswers;
    // A colour answer: nothing = cancelled; a function may also edit the custom colours.
    std::deque<std::function<bool(COLORREF&, CustomColors&)>> colorAnswers;
    std::deque<std::function<bool(LOGFONTA&)>> fontAnswers;
    std::deque<std::function<bool(QPrinter&)>> printAnswers;
    // Scripts for our own dialogs: each gets the dialog (not shown modally)
    // and answers its result code.
    std::deque<std::function<int(QDialog&)>> dialogScripts;

    // Popup menus: the index of the item to choose, -1 to close without a choice.
    std::deque<int> menuAnswers;
    struct ShownMenu {
        QStringList items;
        QPoint position;
        QStringList statusTips;
    };
    std::vector<ShownMenu> menus;

    std::vector<ShownMessage> messages;
    std::vector<FileDialogRequest> fileRequests;
    std::vector<COLORREF> colorRequests;
    std::vector<LOGFONTA> fontRequests;
    int printDialogs = 0;
    int printSetupDialogs = 0;
    int modalDialogs = 0;

    MbResult MessageBox(const QString& text, MbButtons buttons, MbIcon icon) override;
    std::optional<QString> ChooseFile(const FileDialogRequest& request) override;
    QStringList ChooseFiles(const FileDialogRequest& request) override;
    bool ChooseColor(COLORREF& color, CustomColors& custom) override;
    bool ChooseFont(LOGFONTA& font) override;
    bool PrintDialog(QPrinter& printer, int minPage, int maxPage) override;
    bool PrintSetupDialog(QPrinter& printer) override;
    QAction* TrackPopupMenu(QMenu& menu, const QPoint& globalPos) override;
    int RunModal(QDialog& dialog) override;

    // The texts of all boxes shown so far.
    QStringList MessageTexts() const;

private:
    UiHost* previous_;
    bool inWhileShown_ = false;
};
