// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>

// Whether Caps Lock is on, where the window system can tell (X11); nothing
// elsewhere (offscreen, Wayland without X).
std::optional<bool> IsCapsLockOn();
