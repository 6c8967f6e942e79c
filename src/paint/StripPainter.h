// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The key strip on a device context: where its fields lie on screen and on
// paper, the picture of frame, fields and names, the title and date printed
// below it, and how far a name reaches past its field. It needs no widget:
// the view draws through it on screen and in print, a sheet draws each of
// its strips through it, and the printing modes check the names with it.

#include "paint/NameFit.h"
#include "platform/base/WinTypes.h"
#include "platform/draw/DeviceContext.h"

#include <QStringList>
#include <cstddef>
#include <string_view>
#include <vector>

class CLabelFont;
class CV7NamenDoc;
class FontObject;
struct LayoutSettings;

class StripPainter {
public:
    // At most this many characters of a name are converted, laid out, drawn
    // or put in the editor, however long the stored name is. The strip is
    // 26 mm wide and no legible glyph is narrower than 0.1 mm, so at most
    // 260 characters can show side by side; the rest covers a text indent
    // that starts left of the field.
    static constexpr std::size_t kVisibleNameChars = 512;
    // The beginning of a name that can show in a field (code page 1252 has
    // one byte per character).
    static std::string_view VisiblePart(std::string_view name) {
        return name.substr(0, kVisibleNameChars);
    }
    // The width of the mark of a name that does not fit, right of the
    // strip on screen (pixels).
    static constexpr int kMarkWidth = 7;

    // doc: the names, colours and title (null: the empty fields alone);
    // settings: margins, print scales, indent, shade and the screen's
    // label font; printerFont: the label font on paper, made for the
    // printer before a job (null where nothing is written on paper).
    StripPainter(const CV7NamenDoc* doc, const LayoutSettings& settings,
                 const CLabelFont* printerFont = nullptr);

    // Paper geometry, the printer font and the footer; else the screen.
    void SetPaper(bool paper) { paper_ = paper; }
    // The screen picture is centred in a client area this many pixels wide.
    void SetClientWidth(int width) { clientWidth_ = width; }
    // Long names set narrower, on screen and on paper.
    void SetFitLongNames(bool on) { fitLongNames_ = on; }
    // Fields whose names do not fit on paper, marked on screen (null: none).
    void SetMarks(const std::vector<UnfitName>* marks) { marks_ = marks; }

    // The rectangle of field index: on paper (when set to paper and given a
    // context) in the logical units of dc, at the margins; else on screen
    // in scroll-area pixels, centred in the client area.
    void GetFieldRect(int index, RECT& rect, const DeviceContext* dc) const;
    // The strip's outer frame on paper, in the logical units of dc.
    RECT PaperFrame(const DeviceContext& dc) const;
    // The print scale: 100 logical units are zoomX (zoomY) device pixels.
    void ApplyPrintScale(DeviceContext& dc) const;

    // Frame, fields and names; on paper the title and date below them.
    void Draw(DeviceContext& dc) const;

    // The two lines printed below the strip: the title and today's date.
    QStringList FooterLines() const;
    // Where the printed strip lies, in device pixels of dc (a printer's
    // context with the print scale applied; right and bottom exclusive):
    // its outer frame, and the title and date printed below it.
    struct PaperExtent {
        RECT frame{};
        RECT footer{};
    };
    PaperExtent PrintedExtent(DeviceContext& dc) const;

    // Whether name, set in font as dc draws it, keeps within its field
    // between the indent on the left and the same indent on the right
    // (its trailing blanks put no ink on the paper and do not count); on
    // paper when dc is a printer's context (with its print scale), else on
    // screen.
    NameFit MeasureName(const QString& name, const FontObject& font, const DeviceContext& dc) const;
    // The strip's names that do not fit on the paper of a printer described
    // by `paper`, in field order; with long names set narrower, only those
    // that stay too long even so.
    std::vector<UnfitName> UnfitNames(const DeviceContext::Attributes& paper) const;

private:
    void FieldRectOn(int index, RECT& rect, const DeviceContext* dc, bool paper) const;
    void ScreenFieldRect(int index, RECT& rect) const;
    void PaperFieldRect(int index, RECT& rect, const DeviceContext& dc) const;
    // Where names start and where they must end, in device pixels of dc.
    struct TextRoom {
        double left = 0;
        double right = 0;
    };
    TextRoom RoomOn(const DeviceContext& dc, bool paper) const;
    NameFit Measure(const QString& name, const QFont& font, const DeviceContext& dc,
                    bool paper) const;
    // Writes the name of field i in the field f, narrower when asked and needed.
    void DrawName(DeviceContext& dc, int i, const RECT& f, int indent, int vc, LONG cell,
                  const TextRoom& room) const;
    // The red wedge just right of field f, outside the strip.
    static void DrawUnfitMark(DeviceContext& dc, const RECT& f);
    bool Marked(int index) const;

    const CV7NamenDoc* doc_;
    const LayoutSettings& settings_;
    const CLabelFont* printerFont_;
    bool paper_ = false;
    int clientWidth_ = 0;
    bool fitLongNames_ = false;
    const std::vector<UnfitName>* marks_ = nullptr;
};
