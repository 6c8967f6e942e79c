// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the user is told when a serial device will not open. On Linux the
// usual reason for a refusal is a missing group membership, not another
// program, and the message says how to get it.

#include <QString>
#include <string>

// Whether the system error means that this user may not open the device.
bool IsPermissionError(int error);

// The message for a device that refused this user: names the device and,
// when `group` is not empty, the group whose members may use it and the
// command that adds `user` to it (IDS_ERR_PORT_GROUP); else only that the
// user needs the right to read and write it (IDS_ERR_PORT_NO_ACCESS).
QString PortPermissionText(const std::string& device, const std::string& group,
                           const std::string& user);

// The message for COM `port`, device `device`, that would not open with
// system error `error`: the permission message for a refusal, else
// IDS_ERR_OPEN_PORT.
QString PortOpenFailureText(int port, const std::string& device, int error,
                            const std::string& group, const std::string& user);
