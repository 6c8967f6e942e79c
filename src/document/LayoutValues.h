#pragma once
// The six layout settings the Options dialog changes, as one value: what an
// undo step keeps and what the document's ApplySettings takes. A value made
// without arguments holds the settings of a new strip.

#include <cstdint>

struct LayoutSettings;

// Grey, the third of the four shades.
constexpr int kDefaultShadeIndex = 2;

struct LayoutValues {
    std::int32_t textOffset = 10;
    std::int32_t leftMargin = 200;
    std::int32_t topMargin = 200;
    std::int16_t zoomX = 100;
    std::int16_t zoomY = 100;
    std::int32_t shadeIndex = kDefaultShadeIndex;

    bool operator==(const LayoutValues&) const = default;

    static LayoutValues Of(const LayoutSettings& settings);
    void ApplyTo(LayoutSettings& settings) const;
};
