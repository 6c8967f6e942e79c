// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary text to the Options dialog's number reading. Whatever is
// accepted must be a value the dialog can show and read back.

#include "view/DialogNumber.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto whole = dialognumber::ReadWhole(text)) {
        const auto again = dialognumber::ReadWhole(dialognumber::ShowWhole(*whole));
        if (!again || *again != *whole)
            std::abort();
    }
    if (const auto decimal = dialognumber::ReadDecimal(text)) {
        if (std::isnan(*decimal))
            std::abort();
        // A value too small for single precision becomes zero, which is shown
        // as "0" or "-0" and is not read back; every other value is.
        if (std::isfinite(*decimal) && *decimal != 0.0f) {
            const auto again = dialognumber::ReadDecimal(dialognumber::ShowDecimal(*decimal));
            // Six significant digits come back within single precision's reach.
            const float tolerance = std::max(std::fabs(*decimal) * 1e-5f, 1e-38f);
            if (!again || std::fabs(*again - *decimal) > tolerance)
                std::abort();
        }
    }
    return 0;
}
