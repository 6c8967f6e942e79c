// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A drawing context over an image that stands in for a printer of a chosen
// resolution and printing offset.

#include "platform/draw/DeviceContext.h"

#include <QImage>
#include <QPainter>
#include <memory>

struct PaperDc {
    PaperDc(int dpi, POINT offset = {}, bool hasOffset = false, QSize size = QSize(8, 8))
        : image(size, QImage::Format_RGB32) {
        image.fill(Qt::white);
        painter = std::make_unique<QPainter>(&image);
        DeviceContext::Attributes a;
        a.dpiX = a.dpiY = dpi;
        a.isPrinter = true;
        a.hasPrintingOffset = hasOffset;
        a.printingOffset = offset;
        dc = std::make_unique<DeviceContext>(*painter, a);
    }
    ~PaperDc() {
        dc.reset();
        painter->end();
    }
    QImage image;
    std::unique_ptr<QPainter> painter;
    std::unique_ptr<DeviceContext> dc;
};
