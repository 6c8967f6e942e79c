#include "device/PortDataEvent.h"

#include <QCoreApplication>

PortDataEvent::PortDataEvent(int count, CComPort* port) : QEvent(kType) {
    port_.store(port, std::memory_order_relaxed);
    count_.store(count, std::memory_order_release);
}

PortDataEvent::~PortDataEvent() {
    // An event dropped unseen (receiver gone or not interested) is freed on
    // the receiver's thread; this acquire orders the reader's writes first.
    (void)count_.load(std::memory_order_acquire);
}

void PostPortDataEvent(QObject* receiver, int count, CComPort* port) {
    // Qt owns the event from here and deletes it after delivery.
    QCoreApplication::postEvent(receiver, new PortDataEvent(count, port));
}
