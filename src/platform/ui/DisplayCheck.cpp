// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ui/DisplayCheck.h"

#include <QByteArrayList>
#include <optional>
#include <sys/stat.h>

#if defined(QUINTARA_HAVE_X11)
#include <X11/Xlib.h>
#endif

namespace {

using Outcome = DisplayCheck::Outcome;

DisplayCheck Unreachable(const QByteArray& display) {
    return DisplayCheck(Outcome::Unreachable, QString::fromLocal8Bit(display));
}

DisplayCheck CheckX11(const QByteArray& display) {
    if (display.isEmpty())
        return DisplayCheck(Outcome::NotSet);
#if defined(QUINTARA_HAVE_X11)
    // The only sure test is a connection.
    Display* connection = XOpenDisplay(display.constData());
    if (!connection)
        return Unreachable(display);
    return DisplayCheck(Outcome::Reachable, {}, std::shared_ptr<void>(connection, [](void* c) {
                            XCloseDisplay(static_cast<Display*>(c));
                        }));
#else
    return DisplayCheck(Outcome::Reachable);
#endif
}

DisplayCheck CheckWayland(QByteArray display) {
    // A compositor that hands over its connection needs no socket name.
    if (!qEnvironmentVariableIsEmpty("WAYLAND_SOCKET"))
        return DisplayCheck(Outcome::Reachable);
    if (display.isEmpty())
        display = "wayland-0";
    QByteArray socket = display;
    if (!socket.startsWith('/')) {
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        if (runtime.isEmpty())
            return Unreachable(display);
        socket = runtime + '/' + display;
    }
    struct stat st {};
    if (::stat(socket.constData(), &st) != 0 || !S_ISSOCK(st.st_mode))
        return Unreachable(display);
    return DisplayCheck(Outcome::Reachable);
}

} // namespace

DisplayCheck DisplayCheck::Run() {
    const QByteArray x11 = qgetenv("DISPLAY");
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM").trimmed();

    if (!platform.isEmpty()) {
        // A list of platforms is tried in order; options follow a colon.
        std::optional<DisplayCheck> first;
        for (const QByteArray& entry : platform.split(';')) {
            const qsizetype colon = entry.indexOf(':');
            const QByteArray name = (colon < 0 ? entry : entry.left(colon)).trimmed();
            if (name.isEmpty())
                continue;
            DisplayCheck check;
            if (name == "xcb")
                check = CheckX11(x11);
            else if (name.startsWith("wayland"))
                check = CheckWayland(wayland);
            else
                return DisplayCheck(Outcome::Reachable); // offscreen, vnc, eglfs, ...: trusted
            if (check.GetOutcome() == Outcome::Reachable)
                return check;
            if (!first)
                first = check;
        }
        return first ? *first : DisplayCheck(Outcome::Reachable);
    }

    if (x11.isEmpty() && wayland.isEmpty())
        return DisplayCheck(Outcome::NotSet);
    if (!x11.isEmpty()) {
        DisplayCheck check = CheckX11(x11);
        if (check.GetOutcome() == Outcome::Reachable)
            return check;
    }
    if (!wayland.isEmpty() && CheckWayland(wayland).GetOutcome() == Outcome::Reachable)
        return DisplayCheck(Outcome::Reachable);
    return Unreachable(x11.isEmpty() ? wayland : x11);
}
