// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The font of the names and its printer copy.

#include "platform/base/WinTypes.h"
#include "platform/draw/FontObject.h"

#include <cstdint>
#include <string>

class Archive;
class DeviceContext;

class CLabelFont : public FontObject {
public:
    // The label font of a new strip: "Arial" with a cell height of the field
    // height less 2.6 mm on screen, the weight left to the platform.
    bool CreateDefault();
    // Makes the font from face (cut to 31 characters), height, weight and italic.
    bool Create(const std::string& face, std::int32_t height, std::int32_t weight,
                std::uint8_t italic);
    // Lets the user pick a font, starting from this one, into chosen; false
    // when cancelled. The font itself stays as it is.
    bool ChooseLabelFont(LOGFONTA& chosen) const;
    // Writes the 60-byte description (zeros without a font).
    void Store(Archive& ar) const;
    // Reads a 60-byte description and makes the font from it exactly as
    // stored; false (font unchanged) when fewer than 60 bytes arrive.
    bool Load(Archive& ar);
    // Becomes a copy of source scaled from the screen's to the printer's resolution.
    bool ScaleForPrinter(const DeviceContext& printer, const CLabelFont& source);
    bool ScaleForPrinter(int printerDpiX, int printerDpiY, const CLabelFont& source, int screenDpiX,
                         int screenDpiY);
};
