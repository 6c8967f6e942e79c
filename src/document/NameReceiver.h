// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the names of a receive come from: the transfer from the apparatus,
// which needs the serial port and a dialog, lives above the document. The
// application installs it, as it installs the UI host; without one a
// receive finds nothing.

#include <optional>
#include <string>
#include <vector>

class NameReceiver {
public:
    virtual ~NameReceiver() = default;
    // Runs the transfer; after a complete answer the 16 names (code page
    // 1252, key k as entry k), nothing when the user cancelled.
    virtual std::optional<std::vector<std::string>> ReceiveNames() = 0;
};

// The installed receiver or null; installing does not transfer ownership.
NameReceiver* GetNameReceiver();
void SetNameReceiver(NameReceiver* receiver);
