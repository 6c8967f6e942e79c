// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An icon whose images are painted by the artwork code at the size asked
// for, when first asked for, and kept. Showing a window needs one or two
// sizes; painting all of them up front would cost every start-up.

#include <QIconEngine>
#include <QImage>
#include <QMap>
#include <QPixmap>
#include <functional>
#include <utility>

class ArtworkIconEngine : public QIconEngine {
public:
    // Paints the image `size` pixels square.
    using Painter = std::function<QImage(int size)>;
    // sizes: those offered (by default the sizes the desktop files ship);
    // any other is painted when asked for.
    explicit ArtworkIconEngine(Painter painter, QList<int> sizes = kShippedSizes)
        : painter_(painter), sizes_(std::move(sizes)) {}

    static inline const QList<int> kShippedSizes = {16, 24, 32, 48, 64, 128, 256};

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;
    QString key() const override { return QStringLiteral("ArtworkIconEngine"); }

private:
    Painter painter_;
    QList<int> sizes_;
    QMap<int, QPixmap> cache_;
};
