// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/V7NFile.h"

#include "document/LayoutSettings.h"
#include "document/StripGeometry.h"
#include "platform/files/Archive.h"
#include "platform/files/ByteStream.h"

#include <cstring>

namespace v7n {

void Write(Archive& ar, const LayoutSettings& settings, const std::vector<COLORREF>& colors,
           const std::vector<std::string>& names) {
    ar.WriteI32(settings.textOffset);
    // The margins go as one raw block of 8 bytes, left first.
    std::uint8_t margins[8];
    const std::int32_t m[2] = {settings.leftMargin, settings.topMargin};
    for (int i = 0; i < 2; ++i)
        for (int b = 0; b < 4; ++b)
            margins[i * 4 + b] = std::uint8_t(std::uint32_t(m[i]) >> (8 * b));
    ar.WriteRaw(margins, sizeof margins);
    ar.WriteI16(settings.zoomX);
    ar.WriteI16(settings.zoomY);
    ar.WriteI32(settings.shadeIndex);
    settings.labelFont.Store(ar);
    ar.WriteArrayCount(std::uint32_t(colors.size()));
    for (COLORREF c : colors)
        ar.WriteU32(c);
    ar.WriteArrayCount(std::uint32_t(names.size()));
    for (const std::string& name : names)
        ar.WriteText(name);
}

bool Read(Archive& ar, StripData& out) {
    out.layout.textOffset = ar.ReadI32();
    std::uint8_t margins[8];
    if (ar.ReadRaw(margins, sizeof margins) != sizeof margins)
        ar.Fail(Archive::Error::EndOfFile);
    auto le32 = [&](int at) {
        return std::int32_t(std::uint32_t(margins[at]) | (std::uint32_t(margins[at + 1]) << 8) |
                            (std::uint32_t(margins[at + 2]) << 16) |
                            (std::uint32_t(margins[at + 3]) << 24));
    };
    out.layout.leftMargin = le32(0);
    out.layout.topMargin = le32(4);
    out.layout.zoomX = ar.ReadI16();
    out.layout.zoomY = ar.ReadI16();
    out.layout.shadeIndex = ar.ReadI32();
    if (ar.ReadRaw(&out.font, sizeof out.font) != sizeof out.font)
        ar.Fail(Archive::Error::EndOfFile);
    if (!ar.Ok())
        return false;

    // A count the rest of the file cannot supply is refused before anything
    // is allocated for it: a colour takes 4 bytes, a name at least 1.
    const std::uint32_t colorCount = ar.ReadArrayCount();
    const std::int64_t available = ar.Available();
    if (!ar.Ok() || (available >= 0 && std::uint64_t(colorCount) * 4 > std::uint64_t(available))) {
        ar.Fail(Archive::Error::EndOfFile);
        return false;
    }
    out.colors.assign(kFieldCount, 0);
    for (std::uint32_t i = 0; i < colorCount && ar.Ok(); ++i) {
        const COLORREF c = ar.ReadU32();
        if (i < kFieldCount)
            out.colors[i] = c;
    }

    const std::uint32_t nameCount = ar.ReadArrayCount();
    const std::int64_t left = ar.Available();
    if (!ar.Ok() || (left >= 0 && std::uint64_t(nameCount) > std::uint64_t(left))) {
        ar.Fail(Archive::Error::EndOfFile);
        return false;
    }
    out.names.assign(kFieldCount, std::string());
    for (std::uint32_t i = 0; i < nameCount && ar.Ok(); ++i) {
        std::string name = ar.ReadText(kMaxNameBytes);
        if (i < kFieldCount)
            out.names[i] = std::move(name);
    }
    return ar.Ok();
}

std::vector<std::uint8_t> DamagedHead(const std::vector<std::uint8_t>& file, std::size_t limit) {
    MemoryByteStream stream(file.data(), file.size());
    Archive ar(stream, Archive::Mode::Load);
    const auto offset = [&] { return file.size() - std::size_t(ar.Available()); };
    std::uint8_t head[20 + sizeof(LOGFONTA)]; // settings and font
    if (ar.ReadRaw(head, sizeof head) != sizeof head)
        return {};
    const std::uint32_t colorCount = ar.ReadArrayCount();
    for (std::uint32_t i = 0; i < colorCount && ar.Ok(); ++i)
        ar.ReadU32();
    const std::size_t countAt = offset();
    const std::uint32_t nameCount = ar.ReadArrayCount();
    std::size_t end = offset();
    const bool wideCount = end - countAt > 2;
    std::uint32_t kept = 0;
    while (ar.Ok() && kept < nameCount) {
        ar.ReadText(kMaxNameBytes);
        if (!ar.Ok() || offset() + 1 > limit)
            break;
        end = offset();
        ++kept;
    }
    if (!ar.Ok() || kept == nameCount || end + 1 > limit)
        return {};
    std::vector<std::uint8_t> out(file.begin(), file.begin() + std::ptrdiff_t(end));
    std::uint8_t* count = out.data() + countAt + (wideCount ? 2 : 0);
    for (int b = 0; b < (wideCount ? 4 : 2); ++b)
        count[b] = std::uint8_t(kept >> (8 * b));
    out.push_back(0);
    return out;
}

void ApplySettings(const StripData& strip, LayoutSettings& settings) {
    settings.Values() = strip.layout;
    settings.labelFont.DeleteObject();
    settings.labelFont.CreateFontIndirect(strip.font);
}

} // namespace v7n
