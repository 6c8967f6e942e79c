// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Rewriting a file where it is (its folder takes no new file), ordered so
// that a run killed at any moment leaves the old content, the new one, or
// a file that its reader recognises as damaged, never a silent mixture.
//
// One page written from the file's start by one call is never cut by a
// kill: the kernel copies a write page by page and gives up only between
// pages. Content of one page is written so, then the file cut to its
// length; until the cut, a longer old file's tail follows the new content.
// Longer content first gets a damaged head, a short start that the reader
// takes as damaged whatever follows it; then the rest is written behind it,
// and the head is replaced by the content's own first page last. Without a
// head, longer content may show a mixture while it is written.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace inplace {

// The part written last in one call.
constexpr std::size_t kPage = 4096;

// Puts `content` in place of the file's content (fd open for writing) and
// syncs it; `head` (at most kPage bytes, empty: none) stands at the start
// while the rest is written. With `checked` every step asks the fault
// injector first. Answers 0 or the system error number.
int Put(int fd, const std::vector<std::uint8_t>& content, const std::vector<std::uint8_t>& head,
        bool checked);

} // namespace inplace
