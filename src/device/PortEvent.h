// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a port's worker thread (its reader or its writer) hands to the port's
// notify window with a posted event: one number and the port. The event is
// made on the worker thread and read, then freed, on the receiver's.

#include <atomic>

class CComPort;
class QEvent;
class QObject;

// The fields of such an event. Each event holds one as its last member: the
// event's own parts (its base, its type) are in place before these are
// written, and so published with them.
class PortEventPayload {
public:
    PortEventPayload(int value, CComPort* port);
    ~PortEventPayload();
    PortEventPayload(const PortEventPayload&) = delete;
    PortEventPayload& operator=(const PortEventPayload&) = delete;

    int Value() const { return value_.load(std::memory_order_acquire); }
    CComPort* Port() const { return port_.load(std::memory_order_acquire); }

private:
    // Written on the worker thread, read on the receiver's: the release and
    // acquire order what the worker did before the post (a chunk in the
    // port's buffer) before the receiver's use of it, also for race
    // checkers, which cannot see the event queue's own lock inside Qt.
    std::atomic<int> value_;
    std::atomic<CComPort*> port_;
};

// Posts `event` to `receiver` (Qt owns it from then on). The two post
// functions call it rather than Qt directly, one call deeper and never
// inlined, so that the race checker, which names a function by the places
// it calls, shows theirs on every stack that goes into Qt's event queue
// (tests/tsan.supp).
[[gnu::noinline]] void HandPortEventToQt(QObject* receiver, QEvent* event);
