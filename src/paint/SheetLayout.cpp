// SPDX-License-Identifier: GPL-3.0-or-later
#include "paint/SheetLayout.h"

#include <algorithm>

std::vector<SheetPlace> LayOutSheet(const std::vector<RECT>& bounds, SIZE printable, SIZE gap) {
    const auto passesRight = [&](LONG right) { return printable.cx > 0 && right > printable.cx; };
    const auto passesBottom = [&](LONG bottom) {
        return printable.cy > 0 && bottom > printable.cy;
    };
    std::vector<SheetPlace> places;
    places.reserve(bounds.size());
    SheetPlace place;
    bool firstRowOfPage = true;
    LONG rowRight = 0;
    LONG rowBottom = 0;
    for (std::size_t i = 0; i < bounds.size(); ++i) {
        const RECT& b = bounds[i];
        bool rowStarts = i == 0;
        if (!rowStarts) {
            place.offset.x = rowRight + gap.cx - b.left;
            if (passesRight(b.right + place.offset.x)) {
                place.offset = {0, rowBottom + gap.cy - b.top};
                firstRowOfPage = false;
                rowStarts = true;
            }
            if (!firstRowOfPage && passesBottom(b.bottom + place.offset.y)) {
                ++place.page;
                place.offset = {0, 0};
                firstRowOfPage = true;
                rowStarts = true;
            }
        }
        places.push_back(place);
        rowRight = b.right + place.offset.x;
        const LONG bottom = b.bottom + place.offset.y;
        rowBottom = rowStarts ? bottom : std::max(rowBottom, bottom);
    }
    return places;
}

int SheetPageCount(const std::vector<SheetPlace>& places) {
    return places.empty() ? 0 : places.back().page + 1;
}
