// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/PortWriteEvent.h"

#include <cerrno>

// A failure always carries a number, so that Ok() can rest on it.
PortWriteEvent::PortWriteEvent(bool ok, int error, CComPort* port)
    : QEvent(kType), payload_(ok ? 0 : (error != 0 ? error : EIO), port) {}

void PostPortWriteEvent(QObject* receiver, bool ok, int error, CComPort* port) {
    HandPortEventToQt(receiver, new PortWriteEvent(ok, error, port));
}
