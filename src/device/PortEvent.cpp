// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/PortEvent.h"

#include <QCoreApplication>

PortEventPayload::PortEventPayload(int value, CComPort* port) {
    port_.store(port, std::memory_order_relaxed);
    // Last, with release: everything before it is published with it.
    value_.store(value, std::memory_order_release);
}

PortEventPayload::~PortEventPayload() {
    // An event dropped unseen (receiver gone or not interested) is freed on
    // the receiver's thread; this acquire orders the worker's writes first.
    (void)value_.load(std::memory_order_acquire);
}

void HandPortEventToQt(QObject* receiver, QEvent* event) {
    QCoreApplication::postEvent(receiver, event);
}
