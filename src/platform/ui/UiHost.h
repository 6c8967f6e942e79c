// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every message box and every modal chooser of the program goes through the
// installed UI host. The program installs the Qt implementation (or the
// console one in batch modes); tests install a scripted one that records
// what was shown and answers as the test says. The windows that need
// widgets (print dialogs, menus, the program's own dialogs) go through the
// window host beside it.

#include "platform/base/WinTypes.h"
#include "platform/ui/FormatText.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

enum class MbIcon { Exclamation, Information, Question, Stop };
enum class MbButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MbResult { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

struct FileDialogRequest {
    bool save = false;
    QString title;
    QString initialPath;   // folder or proposed file
    QStringList filters;   // Qt filter strings, e.g. "Quintara  (.V7N) (*.V7N)"
    QString defaultSuffix; // added to a typed name without extension, e.g. "V7N"
};

using CustomColors = std::array<COLORREF, 16>;

class UiHost {
public:
    virtual ~UiHost() = default;

    // A message box captioned with the application title.
    virtual MbResult MessageBox(const QString& text, MbButtons buttons, MbIcon icon) = 0;
    // The chosen file path, or nothing when cancelled.
    virtual std::optional<QString> ChooseFile(const FileDialogRequest& request) = 0;
    // An open dialog in which several files can be chosen at once; empty
    // when cancelled. The default offers ChooseFile's single choice.
    virtual QStringList ChooseFiles(const FileDialogRequest& request);
    // Starts on `color`; on OK stores the choice there. `custom` is shown as
    // the custom colour boxes and receives what the user defines there.
    virtual bool ChooseColor(COLORREF& color, CustomColors& custom) = 0;
    // Screen fonts only, no effects; starts on `font`, stores the choice.
    virtual bool ChooseFont(LOGFONTA& font) = 0;
    // Whether windows that only report progress (the printing box) are shown.
    virtual bool ShowsProgress() const { return true; }
};

// The installed host; installing does not transfer ownership.
UiHost& GetUiHost();
void SetUiHost(UiHost* host);

// While one lives, the messages with only an OK button that AppMessageBox
// would show are kept in it instead: a command that works through several
// files reports them together. Collectors nest; the innermost one keeps.
class MessageCollector {
public:
    MessageCollector();
    ~MessageCollector();
    MessageCollector(const MessageCollector&) = delete;
    MessageCollector& operator=(const MessageCollector&) = delete;

    // The texts kept since the last call, in the order they came.
    QStringList Take();

private:
    friend MbResult AppMessageBox(const QString&, MbButtons, MbIcon);
    QStringList texts_;
    MessageCollector* previous_;
};

// The application's message box: caption "Quintara", exclamation icon unless
// another is named.
MbResult AppMessageBox(const QString& text, MbButtons buttons = MbButtons::Ok,
                       MbIcon icon = MbIcon::Exclamation);
MbResult AppMessageBoxId(int stringId, MbButtons buttons = MbButtons::Ok,
                         MbIcon icon = MbIcon::Exclamation);

// Shows string stringId with its placeholders filled (MessageString) and an
// OK button.
void ShowMessage(int stringId, std::initializer_list<TextArg> args = {});
