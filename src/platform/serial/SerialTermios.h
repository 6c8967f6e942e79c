// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Line settings translated to and from POSIX terminal attributes. The
// terminal's modem lines are not part of these; the device sets them apart.

#include "platform/serial/SerialDevice.h"

#include <termios.h>

// Changes `t` to carry `dcb` on a raw line (no editing, echo, signals or
// translation; reads return at once). Answers 0, or EINVAL for settings a
// terminal cannot take, leaving `t` unchanged.
int TermiosFromDcb(const DCB& dcb, termios& t);
// Fills the fields of `dcb` that the attributes hold; the others stay.
void DcbFromTermios(const termios& t, DCB& dcb);
