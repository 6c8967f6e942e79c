#include "device/PortWriteEvent.h"

#include <QCoreApplication>
#include <cerrno>

PortWriteEvent::PortWriteEvent(bool ok, int error, CComPort* port) : QEvent(kType) {
    port_.store(port, std::memory_order_relaxed);
    // A failure always carries a number, so that Ok() can rest on it.
    error_.store(ok ? 0 : (error != 0 ? error : EIO), std::memory_order_release);
}

PortWriteEvent::~PortWriteEvent() {
    // Dropped unseen, the event is freed on the receiver's thread.
    (void)error_.load(std::memory_order_acquire);
}

void PostPortWriteEvent(QObject* receiver, bool ok, int error, CComPort* port) {
    QCoreApplication::postEvent(receiver, new PortWriteEvent(ok, error, port));
}
