// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Posted by a port's writer to the port's notify window when a write that
// CComPort::BeginWrite started has ended, well or not.

#include "device/PortEvent.h"

#include <QEvent>

class QObject;

constexpr int WM_PORTWRITTEN = 25002;

class PortWriteEvent final : public QEvent {
public:
    static constexpr QEvent::Type kType = QEvent::Type(WM_PORTWRITTEN);

    // ok: every byte went out in time; otherwise `error` is the system's
    // error number (ETIMEDOUT when the line held the bytes too long,
    // ECANCELED when the port was closed meanwhile).
    PortWriteEvent(bool ok, int error, CComPort* port);

    bool Ok() const { return payload_.Value() == 0; }
    int Error() const { return payload_.Value(); }
    CComPort* Port() const { return payload_.Port(); }

private:
    PortEventPayload payload_; // the error number, 0 after success
};

// Queues a PortWriteEvent for `receiver` on the receiver's thread (posted,
// never sent). Safe from any thread while the receiver lives. Never inlined:
// the race checker's suppressions name it (tests/tsan.supp).
[[gnu::noinline]] void PostPortWriteEvent(QObject* receiver, bool ok, int error, CComPort* port);
