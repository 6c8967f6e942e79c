#pragma once
// The six layout settings the Options dialog changes, as one value: what an
// undo step keeps and what the document's ApplySettings takes.

#include <cstdint>

struct LayoutSettings;

struct LayoutValues {
    std::int32_t textOffset = 10;
    std::int32_t leftMargin = 200;
    std::int32_t topMargin = 200;
    std::int16_t zoomX = 100;
    std::int16_t zoomY = 100;
    std::int32_t shadeIndex = 2;

    bool operator==(const LayoutValues&) const = default;

    static LayoutValues Of(const LayoutSettings& settings);
    void ApplyTo(LayoutSettings& settings) const;
};
