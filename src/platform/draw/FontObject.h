// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A font object: holds at most one font, made from a 60-byte description
// that it reports back byte for byte. The Qt font for a given device scale
// is made on first use and kept, so that drawing does not create fonts.

#include "platform/base/WinTypes.h"

#include <QFont>
#include <optional>

class FontObject {
public:
    FontObject() = default;
    virtual ~FontObject() = default;
    FontObject(const FontObject&) = delete;
    FontObject& operator=(const FontObject&) = delete;

    // Makes the font from the description (always succeeds).
    bool CreateFontIndirect(const LOGFONTA& lf);
    void DeleteObject();
    bool HasFont() const { return description_.has_value(); }
    // Copies the description into *out; answers 60, or 0 without a font.
    int GetObject(LOGFONTA* out) const;

    struct Realized {
        QFont font;
        int ascent = 0;  // device pixels
        int descent = 0; // device pixels
    };
    // The font as drawn when one logical unit is `scale` device pixels.
    const Realized& Realize(double scale) const;

private:
    std::optional<LOGFONTA> description_;
    mutable std::optional<Realized> realized_;
    mutable double realizedScale_ = 0;
};
