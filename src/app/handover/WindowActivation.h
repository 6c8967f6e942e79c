// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Bringing the window to the front for a file another start handed over,
// with that start's activation token, so that a compositor or window
// manager that prevents focus stealing lets it come forward: the user asked
// for it by starting the program.
//
// On Wayland the token is an xdg-activation token: Qt's Wayland plugin
// passes XDG_ACTIVATION_TOKEN from the environment to the compositor when
// the window asks to be activated, so it is put there for that call. On X11
// the token is a startup-notification id: the window gets it as
// _NET_STARTUP_ID, asks for activation with the time the id carries
// ("..._TIME<n>"), and the launcher is told that the start is complete, so
// its busy cursor ends. Elsewhere (offscreen) the window is only raised.

#include <QByteArray>

class QWidget;

namespace handover {

void BringToFront(QWidget& window, const QByteArray& token);

// The X server time a startup id carries at its end ("..._TIME<n>"); 0
// without one.
unsigned long StartupIdTime(const QByteArray& startupId);

} // namespace handover
