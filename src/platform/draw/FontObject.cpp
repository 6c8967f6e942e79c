// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/draw/FontObject.h"

#include "platform/draw/LogFont.h"

#include <QFontMetrics>

bool FontObject::CreateFontIndirect(const LOGFONTA& lf) {
    description_ = lf;
    realized_.reset();
    return true;
}

void FontObject::DeleteObject() {
    description_.reset();
    realized_.reset();
}

int FontObject::GetObject(LOGFONTA* out) const {
    if (!description_)
        return 0;
    if (out)
        *out = *description_;
    return int(sizeof(LOGFONTA));
}

const FontObject::Realized& FontObject::Realize(double scale) const {
    if (!realized_ || realizedScale_ != scale) {
        LOGFONTA lf{};
        if (description_) {
            lf = *description_;
        } else {
            // The device's default font.
            lf.lfHeight = logfont::kDefaultPixelSize;
            logfont::SetFaceName(lf, QStringLiteral("Arial"));
        }
        Realized r;
        r.font = logfont::ToQFont(lf, scale);
        const QFontMetrics m(r.font);
        r.ascent = m.ascent();
        r.descent = m.descent();
        realized_ = r;
        realizedScale_ = scale;
    }
    return *realized_;
}
