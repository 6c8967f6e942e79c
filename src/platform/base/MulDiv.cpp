// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/base/MulDiv.h"

#include <cstdlib>
#include <limits>

std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c) {
    if (c == 0)
        return -1;
    const std::int64_t product = std::int64_t(a) * std::int64_t(b);
    const bool negative = (product < 0) != (c < 0);
    // Work with magnitudes so that halves round away from zero on both sides.
    const std::uint64_t num =
        product < 0 ? std::uint64_t(0) - std::uint64_t(product) : std::uint64_t(product);
    const std::uint64_t den = c < 0 ? std::uint64_t(-std::int64_t(c)) : std::uint64_t(c);
    const std::uint64_t q = (num + den / 2) / den;
    if (negative) {
        if (q > std::uint64_t(std::numeric_limits<std::int32_t>::max()) + 1)
            return -1;
        return std::int32_t(-std::int64_t(q));
    }
    if (q > std::uint64_t(std::numeric_limits<std::int32_t>::max()))
        return -1;
    return std::int32_t(q);
}
