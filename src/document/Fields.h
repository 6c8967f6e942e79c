// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How many fields a strip has and how long a name the apparatus sends: one
// field per function key of the apparatus, and its names are at most 98
// characters (a name imported from elsewhere is cut to the same length).

constexpr int kFieldCount = 16;
constexpr int kMaxNameLength = 98;
