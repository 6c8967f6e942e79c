// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A widget of the main window that keeps some accelerator keys for itself
// while it has the focus, as a text field keeps the clipboard keys. The
// frame asks it before the accelerator table takes a key; every other
// widget gets no say.

class QKeyEvent;

class KeyClaimant {
public:
    virtual ~KeyClaimant() = default;
    virtual bool ClaimsKey(const QKeyEvent& key) const = 0;
};
