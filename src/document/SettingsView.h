// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A view that shows nothing: it holds a strip's layout settings, as every
// view of a strip does, for a document that is read only to be drawn
// elsewhere (each strip of a sheet). It starts with the settings and the
// label font of a new strip.

#include "document/LayoutSettings.h"
#include "platform/framework/DocumentView.h"

class SettingsView final : public DocumentView, public LayoutSettings {
public:
    SettingsView() { labelFont.CreateDefault(); }
};
