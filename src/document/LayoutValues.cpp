#include "document/LayoutValues.h"

#include "document/LayoutSettings.h"

LayoutValues LayoutValues::Of(const LayoutSettings& settings) {
    LayoutValues v;
    v.textOffset = settings.textOffset;
    v.leftMargin = settings.leftMargin;
    v.topMargin = settings.topMargin;
    v.zoomX = settings.zoomX;
    v.zoomY = settings.zoomY;
    v.shadeIndex = settings.shadeIndex;
    return v;
}

void LayoutValues::ApplyTo(LayoutSettings& settings) const {
    settings.textOffset = textOffset;
    settings.leftMargin = leftMargin;
    settings.topMargin = topMargin;
    settings.zoomX = zoomX;
    settings.zoomY = zoomY;
    settings.shadeIndex = shadeIndex;
}
