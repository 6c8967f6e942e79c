// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ui/UiHost.h"

#include "platform/ui/StringTable.h"

#include <utility>

namespace {
UiHost* g_host = nullptr;
MessageCollector* g_collector = nullptr;

// Used only before a host is installed: answers the safe way and shows nothing.
class NullUiHost final : public UiHost {
public:
    MbResult MessageBox(const QString&, MbButtons buttons, MbIcon) override {
        return buttons == MbButtons::Ok ? MbResult::Ok : MbResult::Cancel;
    }
    std::optional<QString> ChooseFile(const FileDialogRequest&) override { return std::nullopt; }
    bool ChooseColor(COLORREF&, CustomColors&) override { return false; }
    bool ChooseFont(LOGFONTA&) override { return false; }
    bool ShowsProgress() const override { return false; }
};
} // namespace

UiHost& GetUiHost() {
    static NullUiHost nullHost;
    return g_host ? *g_host : nullHost;
}

void SetUiHost(UiHost* host) {
    g_host = host;
}

QStringList UiHost::ChooseFiles(const FileDialogRequest& request) {
    if (const std::optional<QString> one = ChooseFile(request))
        return {*one};
    return {};
}

MessageCollector::MessageCollector() : previous_(g_collector) {
    g_collector = this;
}

MessageCollector::~MessageCollector() {
    g_collector = previous_;
}

QStringList MessageCollector::Take() {
    return std::exchange(texts_, {});
}

MbResult AppMessageBox(const QString& text, MbButtons buttons, MbIcon icon) {
    if (g_collector && buttons == MbButtons::Ok) {
        g_collector->texts_.append(text);
        return MbResult::Ok;
    }
    return GetUiHost().MessageBox(text, buttons, icon);
}

MbResult AppMessageBoxId(int stringId, MbButtons buttons, MbIcon icon) {
    return AppMessageBox(LoadStr(stringId), buttons, icon);
}

void ShowMessage(int stringId, std::initializer_list<TextArg> args) {
    AppMessageBox(MessageString(stringId, args));
}
