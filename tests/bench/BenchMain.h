// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The shared main() of the benchmarks: runs them headless and prints, after
// Google Benchmark's own table, each subject's time as a ratio to its floor.

#include <utility>
#include <vector>

// Pairs of benchmark names (subject, floor) whose ratio is printed, and the
// floor's description. Each benchmark file defines this list.
struct RatioPair {
    const char* subject;
    const char* floor;
    const char* floorText;
};
extern const std::vector<RatioPair> kRatios;
