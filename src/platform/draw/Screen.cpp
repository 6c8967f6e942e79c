// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/draw/Screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace {
int Dpi(bool vertical) {
    const QScreen* screen = qGuiApp ? QGuiApplication::primaryScreen() : nullptr;
    if (!screen)
        return 96;
    const double dpi = vertical ? screen->logicalDotsPerInchY() : screen->logicalDotsPerInchX();
    return dpi > 0 ? int(std::lround(dpi)) : 96;
}
} // namespace

int ScreenDpiX() {
    return Dpi(false);
}
int ScreenDpiY() {
    return Dpi(true);
}
