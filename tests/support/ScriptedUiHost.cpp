// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedUiHost.h"

ScriptedUiHost::ScriptedUiHost() : previous_(&GetUiHost()) {
    SetUiHost(this);
}

ScriptedUiHost::~ScriptedUiHost() {
    SetUiHost(previous_);
}

MbResult ScriptedUiHost::MessageBox(const QString& text, MbButtons buttons, MbIcon icon) {
    messages.push_back({text, buttons, icon});
    if (whileShown && !inWhileShown_) {
        inWhileShown_ = true;
        whileShown(ShownMessage{text, buttons, icon});
        inWhileShown_ = false;
    }
    if (!messageAnswers.empty()) {
        const MbResult r = messageAnswers.front();
        messageAnswers.pop_front();
        return r;
    }
    return buttons == MbButtons::Ok ? MbResult::Ok : MbResult::Cancel;
}

std::optional<QString> ScriptedUiHost::ChooseFile(const FileDialogRequest& request) {
    fileRequests.push_back(request);
    if (fileAnswers.empty())
        return std::nullopt;
    const QString r = fileAnswers.front();
    fileAnswers.pop_front();
    if (r.isEmpty())
        return std::nullopt;
    return r;
}

QStringList ScriptedUiHost::ChooseFiles(const FileDialogRequest& request) {
    const std::optional<QString> answer = ChooseFile(request);
    return answer ? answer->split(QLatin1Char('\n')) : QStringList();
}

bool ScriptedUiHost::ChooseColor(COLORREF& color, CustomColors& custom) {
    colorRequests.push_back(color);
    if (colorAnswers.empty())
        return false;
    auto f = colorAnswers.front();
    colorAnswers.pop_front();
    return f(color, custom);
}

bool ScriptedUiHost::ChooseFont(LOGFONTA& font) {
    fontRequests.push_back(font);
    if (fontAnswers.empty())
        return false;
    auto f = fontAnswers.front();
    fontAnswers.pop_front();
    return f(font);
}

QStringList ScriptedUiHost::MessageTexts() const {
    QStringList texts;
    for (const ShownMessage& m : messages)
        texts.append(m.text);
    return texts;
}
