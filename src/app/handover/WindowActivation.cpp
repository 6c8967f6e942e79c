// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/handover/WindowActivation.h"

#include <QGuiApplication>
#include <QWidget>
#include <algorithm>

#if defined(QUINTARA_HAVE_X11)
#include <QtGui/qguiapplication_platform.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#endif

namespace handover {

namespace {

#if defined(QUINTARA_HAVE_X11)

// A startup-notification message: "remove: ID=<id>" with its NUL, sent to
// the root window in chunks of 20 bytes, the first as
// _NET_STARTUP_INFO_BEGIN and the rest as _NET_STARTUP_INFO.
void SendStartupComplete(Display* display, const QByteArray& id) {
    QByteArray quoted;
    for (const char c : id) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    const QByteArray message = "remove: ID=\"" + quoted + "\"" + '\0';
    const Window root = DefaultRootWindow(display);
    // The messages name a window of the sender's own.
    const Window sender = XCreateSimpleWindow(display, root, -1, -1, 1, 1, 0, 0, 0);
    const Atom begin = XInternAtom(display, "_NET_STARTUP_INFO_BEGIN", False);
    const Atom more = XInternAtom(display, "_NET_STARTUP_INFO", False);
    constexpr int kChunk = 20;
    for (qsizetype at = 0; at < message.size(); at += kChunk) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.display = display;
        event.xclient.window = sender;
        event.xclient.message_type = at == 0 ? begin : more;
        event.xclient.format = 8;
        const QByteArray chunk = message.mid(at, kChunk);
        std::copy(chunk.begin(), chunk.end(), event.xclient.data.b);
        XSendEvent(display, root, False, PropertyChangeMask, &event);
    }
    XDestroyWindow(display, sender);
}

bool ActivateOnX11(QWidget& window, const QByteArray& startupId) {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return false;
    const auto id = Window(window.winId());
    const Window root = DefaultRootWindow(display);
    XChangeProperty(display, id, XInternAtom(display, "_NET_STARTUP_ID", False),
                    XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(startupId.constData()),
                    int(startupId.size()));
    // Source 1: a request of the application, at the time of the user's
    // start, which a window manager weighs against later user actions.
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.display = display;
    event.xclient.window = id;
    event.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = 1;
    event.xclient.data.l[1] = long(StartupIdTime(startupId));
    XSendEvent(display, root, False, SubstructureNotifyMask | SubstructureRedirectMask, &event);
    SendStartupComplete(display, startupId);
    XFlush(display);
    return true;
}

#endif

} // namespace

unsigned long StartupIdTime(const QByteArray& startupId) {
    const qsizetype at = startupId.lastIndexOf("_TIME");
    if (at < 0)
        return 0;
    bool ok = false;
    const unsigned long time = startupId.mid(at + 5).toULong(&ok);
    return ok ? time : 0;
}

void BringToFront(QWidget& window, const QByteArray& token) {
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    const bool wayland = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    if (wayland && !token.isEmpty())
        qputenv("XDG_ACTIVATION_TOKEN", token);
    window.activateWindow();
    if (wayland) {
        // Qt takes the token out when it used it; the refresh tools this
        // program starts must not inherit one that was not.
        qunsetenv("XDG_ACTIVATION_TOKEN");
        return;
    }
#if defined(QUINTARA_HAVE_X11)
    if (!token.isEmpty() && QGuiApplication::platformName() == QLatin1String("xcb"))
        ActivateOnX11(window, token);
#endif
}

} // namespace handover
