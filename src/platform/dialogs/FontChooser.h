// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The font chooser of the Qt UI host: screen fonts only, no effects.
//
// A stored face is often not a family of this system ("Arial" is drawn
// with a metric-compatible substitute), so the chooser opens on the family,
// style and size the description is really drawn with. Confirming exactly
// that choice keeps the stored description byte for byte; any other choice
// stores the family the user picked.

#include "platform/base/WinTypes.h"

#include <QFont>

class QWidget;

namespace fontchooser {

// The font the chooser opens on: the drawn family and style, the drawn
// size in whole points at dpiY.
QFont StartFont(const LOGFONTA& lf, int dpiY);

// Runs the chooser modally over owner; on OK stores the choice in lf.
bool Run(LOGFONTA& lf, QWidget* owner);

} // namespace fontchooser
