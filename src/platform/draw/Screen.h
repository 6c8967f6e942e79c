// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The screen's resolution, as the desktop reports it (96 where there is none).

int ScreenDpiX();
int ScreenDpiY();
