// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ui/Keyboard.h"

#include <QGuiApplication>

#if defined(QUINTARA_HAVE_X11)
#include <X11/XKBlib.h>
#endif

std::optional<bool> IsCapsLockOn() {
#if defined(QUINTARA_HAVE_X11)
    if (auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr) {
        if (Display* display = x11->display()) {
            unsigned int state = 0;
            if (XkbGetIndicatorState(display, XkbUseCoreKbd, &state) == Success)
                return (state & 1u) != 0;
        }
    }
#endif
    return std::nullopt;
}
