// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A device context with the drawing semantics the strip's drawing code is
// written against, over a QPainter: mapping modes with window and viewport
// extents, rectangles whose right and bottom edges are exclusive, text
// placed by the top-left corner of its cell, selected fonts and brushes,
// clipping, saved states, text metrics, the device's resolution and the
// printing offset. One class serves the screen, images, the print preview
// and the printer.

#include "platform/base/WinTypes.h"
#include "platform/draw/PaperCorrection.h"

#include <QColor>
#include <QFont>
#include <QRegion>
#include <QString>
#include <string>
#include <string_view>
#include <vector>

class FontObject;
class QPainter;

constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr int MM_TEXT = 1;
constexpr int MM_ANISOTROPIC = 8;
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
constexpr int GETPRINTINGOFFSET = 13;

struct TEXTMETRIC {
    LONG tmHeight = 0;
};

// A solid brush.
class Brush {
public:
    explicit Brush(COLORREF color) : color_(color) {}
    COLORREF Color() const { return color_; }

private:
    COLORREF color_;
};

class DeviceContext {
public:
    // What the context knows of the device it draws for (in print preview,
    // the printer).
    struct Attributes {
        int dpiX = 96;
        int dpiY = 96;
        bool isPrinter = false;
        // The printable area's corner, measured from the paper's corner in
        // device pixels; only a printer that reports one has it.
        bool hasPrintingOffset = false;
        POINT printingOffset{};
        // Width and height of the printable area in device pixels (HORZRES,
        // VERTRES); 0 where the device does not say.
        int horzRes = 0;
        int vertRes = 0;
        // The printer's measured error, taken out of everything drawn.
        PaperCorrection correction;
    };

    DeviceContext(QPainter& painter, const Attributes& attributes);
    // An information context: answers questions about the device, draws nothing.
    explicit DeviceContext(const Attributes& attributes);
    ~DeviceContext();
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;

    bool IsPrinting() const { return attributes_.isPrinter; }
    int GetDeviceCaps(int index) const;
    // GETPRINTINGOFFSET: answers 1 and fills *out where the device reports
    // an offset, 0 otherwise.
    int Escape(int code, POINT* out) const;

    // Mapping: device = logical * viewport extent / window extent + viewport
    // origin; in MM_TEXT the extents are 1.
    int SetMapMode(int mode);
    void SetWindowExt(SIZE ext);
    void SetViewportExt(SIZE ext);
    void SetViewportOrg(POINT org);
    POINT LPtoDP(POINT p) const;
    // Device pixels per logical unit, vertically and horizontally.
    double ScaleY() const;
    double ScaleX() const;

    int SaveDC();
    // -1 restores the last saved state; n restores state n and drops the later ones.
    bool RestoreDC(int n);

    const FontObject* SelectFont(const FontObject* font);
    const Brush* SelectBrush(const Brush* brush);
    int SetBkMode(int mode);

    // Outline in the current pen (one device pixel), interior in the current brush.
    bool Rectangle(const RECT& r);
    // Black text (code page 1252) with the top-left of its cell at (x, y), in
    // OPAQUE mode on a white cell.
    bool TextOut(int x, int y, std::string_view text);
    bool TextOut(int x, int y, const QString& text);
    bool GetTextMetrics(TEXTMETRIC& tm) const;

    // Text in a Qt font the caller has made at device size (a variant of
    // DeviceFont's answer), placed as TextOut places it.
    bool TextOut(int x, int y, const QString& text, const QFont& font);
    // The font as this context draws it: the description at this context's
    // scale, in device pixels.
    QFont DeviceFont(const FontObject& font) const;
    // The advance width of text in a device-sized font, in device pixels.
    double TextAdvance(const QString& text, const QFont& font) const;
    // The cell height (ascent + descent) of a device-sized font in logical
    // units, as GetTextMetrics reports it.
    LONG TextHeight(const QFont& font) const;
    // A polygon filled in color without an outline (the null pen).
    void FillPolygon(const POINT* points, int count, COLORREF color);

    void IntersectClipRect(const RECT& r);
    // Removes the clip region.
    void SelectNoClip();

private:
    struct State {
        int mapMode = MM_TEXT;
        POINT viewportOrg{};
        SIZE windowExt{1, 1};
        SIZE viewportExt{1, 1};
        const FontObject* font = nullptr;
        const Brush* brush = nullptr;
        int bkMode = OPAQUE;
        bool clipped = false;
        QRegion clip;
    };
    QRect DeviceRect(const RECT& r) const;
    bool PutText(int x, int y, const QString& s, const QFont& font, int ascent, int descent);
    void ApplyClip();

    QPainter* painter_;
    Attributes attributes_;
    State state_;
    std::vector<State> saved_;
    Brush whiteBrush_{0xFFFFFF};
};
