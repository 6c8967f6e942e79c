// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/PortDataEvent.h"

void PostPortDataEvent(QObject* receiver, int count, CComPort* port) {
    // Qt owns the event from here and deletes it after delivery.
    HandPortEventToQt(receiver, new PortDataEvent(count, port));
}
