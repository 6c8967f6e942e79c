// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the strips of a sheet go. The first lies where a single print puts
// it; each next one starts a gap right of what the one before covers (its
// frame, or its footer where that is wider), so nothing overlaps. A strip
// that would pass the printable area's right edge starts a new row below
// the row before, and a row that would pass its bottom a new page. All
// lengths are device pixels of the page.

#include "platform/base/WinTypes.h"

#include <vector>

struct SheetPlace {
    int page = 0;   // from 0
    POINT offset{}; // added to the strip's place of a single print
};

// bounds[i]: what strip i covers when printed alone. printable: width and
// height of the printable area from the page's drawing origin; 0 for no
// limit. gap: across and down. The first strip of a page or row is placed even when it does not
// fit, as a single print would be.
std::vector<SheetPlace> LayOutSheet(const std::vector<RECT>& bounds, SIZE printable, SIZE gap);

// The number of pages the places take.
int SheetPageCount(const std::vector<SheetPlace>& places);
