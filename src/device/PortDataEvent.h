// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// WM_PORTDATA: posted by a port's reader thread to the port's notify window
// for each chunk it read, or for a failed read.

#include "device/PortEvent.h"

#include <QEvent>

class QObject;

constexpr int WM_PORTDATA = 25001;

class PortDataEvent final : public QEvent {
public:
    static constexpr QEvent::Type kType = QEvent::Type(WM_PORTDATA);

    // count: bytes now in the port's readBuffer (1 to 100), or -1 when the
    // read failed.
    PortDataEvent(int count, CComPort* port) : QEvent(kType), payload_(count, port) {}

    int Count() const { return payload_.Value(); }
    CComPort* Port() const { return payload_.Port(); }

private:
    PortEventPayload payload_;
};

// Queues a PortDataEvent for `receiver` on the receiver's thread (posted,
// never sent). Safe from any thread while the receiver lives. Never inlined:
// the race checker's suppressions name it (tests/tsan.supp).
[[gnu::noinline]] void PostPortDataEvent(QObject* receiver, int count, CComPort* port);
