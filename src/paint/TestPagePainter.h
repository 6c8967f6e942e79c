// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calibration test page: the strip's outer frame where the strip would
// print, a horizontal bar A along its top edge and a vertical bar B along
// its left edge, both from the frame's top-left corner with a tick every
// 10 mm, and what to measure. Lengths are nominal, before the print scales.

class DeviceContext;
struct LayoutSettings;

class TestPagePainter {
public:
    explicit TestPagePainter(const LayoutSettings& settings) : settings_(settings) {}

    // Draws the page on a printer's context prepared with the print scale.
    void Draw(DeviceContext& dc) const;
    // The nominal length (mm) of bar B on the device of dc, with the
    // settings' top margin and vertical scale.
    int BarBMillimetres(const DeviceContext& dc) const;

private:
    const LayoutSettings& settings_;
};
