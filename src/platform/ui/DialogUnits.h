// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Dialog templates are laid out in dialog units. With the 8-point dialog
// font the program's dialogs were designed for, one horizontal unit is a
// quarter of the 6-pixel average character width and one vertical unit an
// eighth of the 13-pixel line height at 96 pixels per inch; on other
// displays both scale with the resolution.

#include <QFont>
#include <QRect>

namespace dlu {

int ToPixelsX(int x, int dpi = 96);
int ToPixelsY(int y, int dpi = 96);
QRect ToPixels(int x, int y, int width, int height, int dpi = 96);
// The font that the dialogs are drawn in: sans serif, at most 8 points,
// sized in pixels so that its characters are no wider than the templates'
// base unit allows.
QFont DialogFont();

} // namespace dlu
