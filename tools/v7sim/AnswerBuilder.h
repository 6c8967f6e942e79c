// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bytes the Telvora V7 sends for its key names: 0x00 0x08, one record
// per key (0x30 + key, the name in code page 850, 0x0D), and 0x00.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace v7sim {

struct AnswerOptions {
    // Keys in the order they are sent; empty means 0 to 15.
    std::vector<int> order;
    // Keys that are not sent at all.
    std::vector<int> skip;
    // Bytes without a NUL sent before the answer.
    int garbage = 0;
};

// names[k] is the name of key k (missing entries are empty).
std::vector<std::uint8_t> BuildAnswer(const QStringList& names, const AnswerOptions& options = {});

// Names with umlauts, for a quick try without a names file.
QStringList DemoNames();

} // namespace v7sim
