// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Lists the serial devices through Qt Serial Port, which knows what udev
// knows of them, and adds the stable names of /dev/serial/by-id and
// whether this user may open each one.

#include "platform/serial/PortLister.h"

class QtPortLister final : public PortLister {
public:
    std::vector<SerialPortEntry> List() override;
};
