// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The .V7N file: the layout settings, the label font's 60-byte description,
// the colours and the names, little-endian, without header or version.
//
// Reading goes into a StripData first; the caller applies it only when the
// whole file was read, so a broken file never leaves half-applied settings.

#include "document/LayoutValues.h"
#include "platform/base/WinTypes.h"

#include <cstdint>
#include <string>
#include <vector>

class Archive;
struct LayoutSettings;

struct StripData {
    LayoutValues layout;
    LOGFONTA font{};
    std::vector<COLORREF> colors;
    std::vector<std::string> names;
};

namespace v7n {

// The longest name a file may hold, in stored bytes: thousands of times
// what a key's label needs, yet small enough that a strip's memory stays
// proportional to what is accepted. A longer name refuses the file, before
// anything is allocated for it.
constexpr std::uint64_t kMaxNameBytes = std::uint64_t(1) << 20;

void Write(Archive& ar, const LayoutSettings& settings, const std::vector<COLORREF>& colors,
           const std::vector<std::string>& names);

// Reads a whole strip. False when the file ends early, is malformed or holds
// a name beyond kMaxNameBytes (the archive tells which); then `out` must not
// be used. Other counts are brought to kFieldCount: the first kFieldCount
// entries are kept, missing ones are empty names and colour 0.
bool Read(Archive& ar, StripData& out);

// Puts a strip's layout settings and font into `settings`, all at once.
void ApplySettings(const StripData& strip, LayoutSettings& settings);

// A strip file ends where its last name ends; bytes after it are what a
// save cut short leaves. For the bytes of a strip file: its first bytes
// up to the last name that ends within `limit` - 1 bytes, with the name
// count cut to the names kept, and one byte more. Whatever follows it, a
// reader gets settings, colours and those names and sees bytes after the
// last name. Nothing when even the names' count does not fit, or all of
// the file does.
std::vector<std::uint8_t> DamagedHead(const std::vector<std::uint8_t>& file, std::size_t limit);

} // namespace v7n
