// SPDX-License-Identifier: GPL-3.0-or-later
// One drawing of a full strip (16 names, 3 coloured fields) on screen and
// on paper at 600 dpi, each against a floor: the same rectangles and texts
// drawn with plain QPainter calls in the same run. Reported as ratios, so
// that the numbers mean the same on any machine.

#include "BenchMain.h"
#include "document/StripGeometry.h"
#include "document/V7NamenDoc.h"
#include "platform/draw/DeviceContext.h"
#include "platform/printing/PrintInfo.h"
#include "view/V7NamenView.h"

#include <QDate>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

const char* const kNames[16] = {"Zentrale",      "Empfang", "Buchhaltung", "Müller",
                                "Schäfer",       "Weiß",    "Vertrieb",    "Lager",
                                "Technik",       "Einkauf", "Personal",    "Geschäftsführung",
                                "Konferenzraum", "Fax",     "Notruf",      "Türöffner"};

struct Strip {
    Strip() {
        doc.ResetToNew();
        doc.AddView(&view);
        doc.SetTitle(QStringLiteral("demo.V7N"));
        for (int i = 0; i < 16; ++i)
            doc.names[std::size_t(i)] = QString::fromUtf8(kNames[i]).toLatin1().toStdString();
        doc.colors[2] = 0x80FFFF;
        doc.colors[9] = 0xFFC0C0;
        doc.colors[15] = 0xC0FFC0;
        view.resize(142, 520);
        view.OnInitialUpdate();
    }
    CV7NamenDoc doc;
    CV7NamenView view;
};

Strip& TheStrip() {
    static Strip strip;
    return strip;
}

DeviceContext::Attributes Paper600() {
    DeviceContext::Attributes a;
    a.dpiX = a.dpiY = 600;
    a.isPrinter = true;
    a.hasPrintingOffset = true;
    return a;
}

// The rectangles and texts one drawing produces, in device pixels, for the floor.
struct Picture {
    std::vector<QRect> rects;
    std::vector<QColor> fills;
    std::vector<std::pair<QPoint, QString>> texts;
    QRect clip;
    QFont font;
    int ascent = 0;
};

Picture Record(bool paper) {
    Strip& s = TheStrip();
    Picture p;
    DeviceContext info(paper ? Paper600() : DeviceContext::Attributes{});
    if (paper) {
        PrintInfo pi;
        s.view.OnBeginPrinting(info, pi);
    }
    const FontObject& font = paper ? static_cast<const FontObject&>(s.view.printerFont)
                                   : static_cast<const FontObject&>(s.view.labelFont);
    p.font = font.Realize(1.0).font;
    p.ascent = font.Realize(1.0).ascent;
    auto length = [&](int tenthsMm) {
        return paper ? ToDevice(tenthsMm, 600) : s.view.ScreenLength(tenthsMm);
    };
    RECT f;
    s.view.GetFieldRect(0, f, &info);
    p.clip = QRect(f.left, f.top - length(kFirstFieldTop), f.right - f.left, length(kStripHeight));
    p.rects.push_back(p.clip);
    p.fills.push_back(Qt::white);
    for (int i = 0; i < kFieldCount; ++i) {
        s.view.GetFieldRect(i, f, &info);
        p.rects.push_back(QRect(f.left, f.top, f.right - f.left, f.bottom + 1 - f.top));
        const COLORREF c = s.doc.colors[std::size_t(i)];
        p.fills.push_back(c ? QColor(GetRValue(c), GetGValue(c), GetBValue(c))
                            : (i % 2 ? QColor(0xC0, 0xC0, 0xC0) : QColor(Qt::white)));
        p.texts.push_back({QPoint(f.left + length(s.view.textOffset), f.top + 4),
                           QString::fromLatin1(s.doc.GetName(i).c_str())});
    }
    if (paper) {
        p.texts.push_back({QPoint(f.left, f.bottom + length(kFooterGap)), s.doc.GetTitle()});
        p.texts.push_back({QPoint(f.left, f.bottom + length(kFooterGap) + 100),
                           QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"))});
        PrintInfo pi;
        s.view.OnEndPrinting(info, pi);
    }
    return p;
}

void DrawFloor(QPainter& painter, const Picture& p) {
    painter.setFont(p.font);
    painter.setClipRect(p.clip);
    for (std::size_t i = 0; i < p.rects.size(); ++i) {
        const QRect& r = p.rects[i];
        painter.fillRect(r.adjusted(1, 1, -1, -1), p.fills[i]);
        painter.setPen(QPen(Qt::black, 0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(r.adjusted(0, 0, -1, -1));
    }
    painter.setPen(Qt::black);
    for (std::size_t i = 0; i < p.texts.size(); ++i) {
        if (i == 16)
            painter.setClipping(false);
        painter.drawText(p.texts[i].first + QPoint(0, p.ascent), p.texts[i].second);
    }
    painter.setClipping(false);
}

QImage& ScreenImage() {
    static QImage image(142, 520, QImage::Format_RGB32);
    return image;
}

QImage& PaperImage() {
    static QImage image(1200, 3800, QImage::Format_RGB32);
    return image;
}

void ScreenDrawing(benchmark::State& state) {
    Strip& s = TheStrip();
    QPainter painter(&ScreenImage());
    for (auto _ : state) {
        DeviceContext dc(painter, DeviceContext::Attributes{});
        s.view.OnPrepareDC(dc);
        s.view.OnDraw(dc);
    }
}

void ScreenFloor(benchmark::State& state) {
    const Picture p = Record(false);
    QPainter painter(&ScreenImage());
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (auto _ : state)
        DrawFloor(painter, p);
}

void PaperDrawing(benchmark::State& state) {
    Strip& s = TheStrip();
    DeviceContext info(Paper600());
    PrintInfo pi;
    s.view.OnBeginPrinting(info, pi);
    QPainter painter(&PaperImage());
    for (auto _ : state) {
        DeviceContext dc(painter, Paper600());
        s.view.OnPrepareDC(dc);
        s.view.OnDraw(dc);
    }
    s.view.OnEndPrinting(info, pi);
}

void PaperFloor(benchmark::State& state) {
    const Picture p = Record(true);
    QPainter painter(&PaperImage());
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (auto _ : state)
        DrawFloor(painter, p);
}

BENCHMARK(ScreenFloor);
BENCHMARK(ScreenDrawing);
BENCHMARK(PaperFloor);
BENCHMARK(PaperDrawing);

} // namespace

const std::vector<RatioPair> kRatios = {
    {"ScreenDrawing", "ScreenFloor", "the same picture in plain QPainter calls"},
    {"PaperDrawing", "PaperFloor", "the same picture in plain QPainter calls"},
};
