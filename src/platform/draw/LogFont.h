// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Font descriptions (LOGFONTA) turned into Qt fonts and back.
//
// lfHeight > 0 is the cell height (ascent + descent), lfHeight < 0 the
// character height (cell height minus internal leading, Qt's pixel size),
// 0 the default size; both in the logical units of the device the font is
// drawn on. Weight, italic, underline and strike-out carry over.

#include "platform/base/WinTypes.h"

#include <QFont>
#include <QString>

namespace logfont {

// Drawn fonts are kept within this many device pixels, whatever a file says.
constexpr int kMaxPixelSize = 4096;
// Size of a font whose description says 0.
constexpr int kDefaultPixelSize = 16;

// The face name: at most 31 bytes, ended by the first zero byte, code page 1252.
QString FaceName(const LOGFONTA& lf);
void SetFaceName(LOGFONTA& lf, const QString& face);

// The Qt font for the description when one logical unit is `scale` device pixels.
QFont ToQFont(const LOGFONTA& lf, double scale = 1.0);

// The description of a font chosen at dpiY pixels per inch: negative
// lfHeight (character height), weight, italic, face.
LOGFONTA FromQFont(const QFont& font, int dpiY);

// The point size a description shows in a font chooser at dpiY.
double PointSize(const LOGFONTA& lf, int dpiY);

} // namespace logfont
