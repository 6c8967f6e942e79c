// SPDX-License-Identifier: GPL-3.0-or-later
// The system's lister as a module of its own: only the listing needs Qt
// Serial Port, so the program loads it when a dialog first lists devices
// instead of at every start.

#include "platform/serial/PortListerModule.h"
#include "platform/serial/QtPortLister.h"

extern "C" PortLister* quintara_port_lister_v1() {
    return new QtPortLister;
}
