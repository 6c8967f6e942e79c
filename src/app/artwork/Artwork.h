// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's pictures, painted rather than stored: the seven toolbar
// images and the application and document icons at any size.

#include <QIcon>
#include <QImage>
#include <QPalette>
#include <QPixmap>

namespace artwork {

enum ToolbarImage { New, Open, Save, Options, Font, Print, Help, kToolbarImageCount };

// A toolbar image at a device pixel ratio, its lines and blue parts taken
// light where the palette's window is dark.
QPixmap Toolbar(ToolbarImage image, qreal ratio = 1, const QPalette& palette = QPalette());
// The image at every usual ratio, for a toolbar button.
QIcon ToolbarIcon(ToolbarImage image, const QPalette& palette);
// The icon of the program: the key strip on a telephone-blue tile.
QImage AppIcon(int size);
// The icon of a .V7N file: a sheet carrying the strip.
QImage DocumentIcon(int size);
// Both icons in the usual sizes, for windows and boxes.
QIcon AppIconSet();
// The program's icon as a window offers it to the window system: the
// sizes of title bars and task switchers only, since the window system
// takes every size offered, painted, when the window is shown.
QIcon WindowIconSet();
QIcon DocumentIconSet();

} // namespace artwork
