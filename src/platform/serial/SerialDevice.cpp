// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/serial/SerialDevice.h"

namespace {
thread_local int t_lastError = 0;
} // namespace

int SerialLastError() {
    return t_lastError;
}

void SetSerialLastError(int error) {
    t_lastError = error;
}
