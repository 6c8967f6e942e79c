// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Qt's colour chooser with the program's own custom colours. Qt keeps one
// set of custom colours per process and writes it, whenever a colour
// chooser goes away after one was set, to QtProject.conf in the user's
// configuration folder, the file every Qt program shares. The program's
// custom colours last for the run only, so they must never reach that file:
// while the chooser goes, Qt's user settings point to a scratch folder that
// is removed afterwards.

#include "platform/base/WinTypes.h"
#include "platform/ui/UiHost.h"

class QWidget;

namespace colorchooser {

// Starts on `color`; on OK stores the choice there and answers true.
// `custom` is shown as the custom colour boxes and receives what the user
// defined there, also when the chooser is cancelled.
bool Run(COLORREF& color, CustomColors& custom, QWidget* owner);

} // namespace colorchooser
