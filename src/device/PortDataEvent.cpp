// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/PortDataEvent.h"

#include <QCoreApplication>

void PostPortDataEvent(QObject* receiver, int count, CComPort* port) {
    // Qt owns the event from here and deletes it after delivery.
    QCoreApplication::postEvent(receiver, new PortDataEvent(count, port));
}
