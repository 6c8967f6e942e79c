// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The names of a receive from the apparatus: runs the receive dialog and
// answers what it received. The application installs one for the
// document's receive command.

#include "document/NameReceiver.h"

class ApparatusReceiver final : public NameReceiver {
public:
    std::optional<std::vector<std::string>> ReceiveNames() override;
};
