// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/artwork/ArtworkIconEngine.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

void ArtworkIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                              QIcon::State state) {
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const QSize pixels = rect.size() * ratio;
    painter->drawPixmap(rect, pixmap(pixels, mode, state));
}

QPixmap ArtworkIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) {
    const int side = std::min(size.width(), size.height());
    if (side <= 0)
        return QPixmap();
    auto found = cache_.find(side);
    if (found == cache_.end())
        found = cache_.insert(side, QPixmap::fromImage(painter_(side)));
    if (mode != QIcon::Disabled || !qApp)
        return *found;
    QStyleOption option;
    return QApplication::style()->generatedIconPixmap(mode, *found, &option);
}

QSize ArtworkIconEngine::actualSize(const QSize& size, QIcon::Mode, QIcon::State) {
    const int side = std::min(size.width(), size.height());
    return QSize(side, side);
}

QList<QSize> ArtworkIconEngine::availableSizes(QIcon::Mode, QIcon::State) {
    QList<QSize> sizes;
    for (int side : sizes_)
        sizes.append(QSize(side, side));
    return sizes;
}

QIconEngine* ArtworkIconEngine::clone() const {
    return new ArtworkIconEngine(*this);
}
