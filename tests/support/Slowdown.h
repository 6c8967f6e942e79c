// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How much slower than a plain build this test program runs: sanitizer
// builds take several times as long for the same work. Time limits in tests
// are multiplied by it, so that they catch a wait that should not be there
// without failing on a slow build.

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define QUINTARA_TEST_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define QUINTARA_TEST_SANITIZED 1
#endif
#endif

constexpr int SanitizerSlowdown() {
#ifdef QUINTARA_TEST_SANITIZED
    return 5;
#else
    return 1;
#endif
}
