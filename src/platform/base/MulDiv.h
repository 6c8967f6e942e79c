// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

// a * b / c with an exact 64-bit product, the quotient rounded to the
// nearest integer with halves away from zero. A divisor of 0, or a result
// outside 32 bits, gives -1.
std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c);
