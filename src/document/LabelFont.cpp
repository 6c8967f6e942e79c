// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/LabelFont.h"

#include "document/StripGeometry.h"
#include "platform/base/MulDiv.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/Screen.h"
#include "platform/files/Archive.h"
#include "platform/ui/UiHost.h"

#include <algorithm>
#include <cstring>

bool CLabelFont::CreateDefault() {
    return Create("Arial", ScreenLength(kFieldHeight - 26), 0, 0);
}

bool CLabelFont::Create(const std::string& face, std::int32_t height, std::int32_t weight,
                        std::uint8_t italic) {
    DeleteObject();
    LOGFONTA lf;
    std::memset(&lf, 0, sizeof lf);
    std::memcpy(lf.lfFaceName, face.data(), std::min<std::size_t>(face.size(), LF_FACESIZE - 1));
    lf.lfFaceName[LF_FACESIZE - 1] = 0;
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfItalic = italic;
    return CreateFontIndirect(lf);
}

bool CLabelFont::ChooseLabelFont(LOGFONTA& chosen) const {
    std::memset(&chosen, 0, sizeof chosen);
    GetObject(&chosen);
    return GetUiHost().ChooseFont(chosen);
}

void CLabelFont::Store(Archive& ar) const {
    LOGFONTA lf;
    std::memset(&lf, 0, sizeof lf);
    GetObject(&lf);
    ar.WriteRaw(&lf, sizeof lf);
}

bool CLabelFont::Load(Archive& ar) {
    LOGFONTA lf;
    if (ar.ReadRaw(&lf, sizeof lf) < sizeof lf)
        return false;
    DeleteObject();
    return CreateFontIndirect(lf);
}

bool CLabelFont::ScaleForPrinter(const DeviceContext& printer, const CLabelFont& source) {
    return ScaleForPrinter(printer.GetDeviceCaps(LOGPIXELSX), printer.GetDeviceCaps(LOGPIXELSY),
                           source, ScreenDpiX(), ScreenDpiY());
}

bool CLabelFont::ScaleForPrinter(int printerDpiX, int printerDpiY, const CLabelFont& source,
                                 int screenDpiX, int screenDpiY) {
    LOGFONTA lf;
    if (source.GetObject(&lf) != int(sizeof lf))
        return false;
    lf.lfHeight = MulDiv(lf.lfHeight, printerDpiY, screenDpiY);
    lf.lfWidth = MulDiv(lf.lfWidth, printerDpiX, screenDpiX);
    DeleteObject();
    return CreateFontIndirect(lf);
}
