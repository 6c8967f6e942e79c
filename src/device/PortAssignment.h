// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which device is COM 1 to COM 4, where that comes from, and how a choice
// is kept: the environment (QUINTARA_COMn) wins over the profile's [Ports]
// section, which wins over the system's standard port. Also the rule that
// makes a lone USB adapter COM 1 the first time the transfer is tried.

#include "platform/serial/PortLister.h"

#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ports {

constexpr int kCount = 4;

// The device that stands for COM n: the one QUINTARA_COMn names, else the
// one key COMn of the profile's [Ports] section names, else the system's
// n-th serial port. Empty for n below 1, which names no device.
std::string DeviceName(int n);
// The device QUINTARA_COMn names, or empty.
std::string EnvironmentDevice(int n);
// The device the profile names for COM n, or empty.
QString ProfileDevice(int n);

// What the user chose for each port: empty for the standard port.
using Choices = std::array<QString, kCount>;
// Writes the choices to the profile (an empty one removes its key); false
// when the profile could not be written.
bool StoreChoices(const Choices& choices);

// How a detected device is offered: its description and device
// (IDS_PORTS_DEVICE), with IDS_PORTS_NO_ACCESS behind it when this user may
// not open it.
QString ChoiceText(const SerialPortEntry& entry);
// The standard device of COM n, /dev/ttyS<n-1> (IDS_PORTS_STANDARD), with
// IDS_PORTS_NO_ACCESS behind it when this user may not open it.
QString StandardText(int n, bool accessible);
// False only for a device node that exists and this user may not read and
// write; asked without opening it.
bool MayOpen(const std::string& path);
// Whether `path` names the same device as `entry` (its node or stable name,
// also through links).
bool SameDevice(const SerialPortEntry& entry, const QString& path);

// The permission message for a device this user may not open.
QString NoAccessText(const SerialPortEntry& entry);

enum class FirstUse {
    Nothing,  // a port is set, a standard port opens, or no adapter is there
    Assigned, // the one adapter became COM 1
    Ask,      // several adapters: the user picks in the ports dialog
};

struct FirstUseOutcome {
    FirstUse what = FirstUse::Nothing;
    SerialPortEntry adapter; // the one assigned
    QString statusText;      // IDS_PORTS_ASSIGNED with the adapter's description
};

// When no port is set in the environment or the profile and none of the
// standard ports opens (`opens` tells), exactly one USB adapter that
// `lister` finds becomes COM 1 in the profile; several ask the user.
// Nothing is stored in any other case. Lists only when no port is set.
FirstUseOutcome ApplyFirstUse(PortLister& lister,
                              const std::function<bool(const std::string&)>& opens);
// Whether `path` opens now (exclusively, closed again at once).
bool DeviceOpens(const std::string& path);

} // namespace ports
