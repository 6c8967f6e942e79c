// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A UI host for tests: records every box and chooser the code under test
// shows and answers from a script. Nothing ever blocks on a real window.

#include "platform/ui/UiHost.h"

#include <deque>
#include <functional>
#include <optional>
#include <vector>

struct ShownMessage {
    QString text;
    MbButtons buttons;
    MbIcon icon;
};

class ScriptedUiHost : public UiHost {
public:
    // Installs itself and uninstalls on destruction.
    ScriptedUiHost();
    ~ScriptedUiHost() override;
    ScriptedUiHost(const ScriptedUiHost&) = delete;
    ScriptedUiHost& operator=(const ScriptedUiHost&) = delete;

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

    std::vector<ShownMessage> messages;
    std::vector<FileDialogRequest> fileRequests;
    std::vector<COLORREF> colorRequests;
    std::vector<LOGFONTA> fontRequests;

    MbResult MessageBox(const QString& text, MbButtons buttons, MbIcon icon) override;
    std::optional<QString> ChooseFile(const FileDialogRequest& request) override;
    QStringList ChooseFiles(const FileDialogRequest& request) override;
    bool ChooseColor(COLORREF& color, CustomColors& custom) override;
    bool ChooseFont(LOGFONTA& font) override;

    // The texts of all boxes shown so far.
    QStringList MessageTexts() const;

private:
    UiHost* previous_;
    bool inWhileShown_ = false;
};
