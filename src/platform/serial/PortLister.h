// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The serial devices the machine has, as the system describes them. Only
// the listing goes through here; the transfer opens its device itself. The
// program lists through the installed lister (the system's by default);
// tests install one with a fixed list.

#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct SerialPortEntry {
    std::string location;   // the device node, e.g. /dev/ttyUSB0
    std::string stableName; // its /dev/serial/by-id/ name, or empty
    QString description;
    QString manufacturer;
    QString serialNumber;
    std::optional<std::uint16_t> vendorId; // only USB devices have one
    std::optional<std::uint16_t> productId;
    bool accessible = true; // this user may read and write it

    // The name to keep in the profile: the stable one where there is one.
    const std::string& Device() const { return stableName.empty() ? location : stableName; }
    bool IsUsbAdapter() const { return vendorId.has_value(); }
    bool operator==(const SerialPortEntry&) const = default;
};

class PortLister {
public:
    virtual ~PortLister() = default;
    // Every serial device present now, in a stable order.
    virtual std::vector<SerialPortEntry> List() = 0;
};

// The installed lister; installing does not transfer ownership, null
// brings the system's back.
PortLister& GetPortLister();
void SetPortLister(PortLister* lister);
