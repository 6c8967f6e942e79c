// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/NameReceiver.h"

namespace {
NameReceiver* g_receiver = nullptr;
}

NameReceiver* GetNameReceiver() {
    return g_receiver;
}

void SetNameReceiver(NameReceiver* receiver) {
    g_receiver = receiver;
}
