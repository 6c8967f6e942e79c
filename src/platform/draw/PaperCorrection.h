// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a printer was measured to place what it prints, per axis: a position
// p on the paper (millimetres from the paper's corner) lands at s * p + e.
// A context with a correction sends every position as (p - e) / s, so that
// it lands at p. The identity changes nothing.

struct PaperCorrection {
    double sx = 1;
    double ex = 0; // mm
    double sy = 1;
    double ey = 0; // mm

    bool IsIdentity() const { return sx == 1 && ex == 0 && sy == 1 && ey == 0; }
    bool operator==(const PaperCorrection&) const = default;
};
