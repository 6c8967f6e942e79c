// Feeds arbitrary text to the Options dialog's number reading. Whatever is
// accepted must be a value the dialog can show and read back.

#include "view/DialogNumber.h"

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
        if (std::isfinite(*decimal)) {
            const auto again = dialognumber::ReadDecimal(dialognumber::ShowDecimal(*decimal));
            // Six significant digits come back within single precision's reach.
            if (!again || std::fabs(*again - *decimal) > std::fabs(*decimal) * 1e-5f)
                std::abort();
        }
    }
    return 0;
}
