// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Several strips side by side on as few pages as needed. Each strip is
// drawn exactly as its own print draws it (names, colours, shade, font,
// indent, title and date), but all at the same margins and print scales,
// so that one printer calibration serves the whole sheet; short cutting
// marks lie outside each frame's corners. Each strip is a document with a
// view that only holds its settings: a sheet of a thousand strips makes no
// widget.

#include "document/LabelFont.h"
#include "document/LayoutValues.h"
#include "document/SettingsView.h"
#include "document/V7NamenDoc.h"
#include "paint/NameFit.h"
#include "paint/SheetLayout.h"
#include "platform/draw/DeviceContext.h"

#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

class StripSheet {
public:
    // Between neighbouring strips, and between rows: 5 mm (0.1 mm).
    static constexpr int kGap = 50;
    // Cutting marks: 3 mm lines on the frame's edges, 1 mm from its corners.
    static constexpr int kMarkLength = 30;
    static constexpr int kMarkDistance = 10;

    // placement: the margins and print scales for every strip (the rest of
    // it is not used; none: those of the first strip read); fitLongNames:
    // set long names narrower.
    StripSheet(std::optional<LayoutValues> placement, bool fitLongNames);
    ~StripSheet();
    StripSheet(const StripSheet&) = delete;
    StripSheet& operator=(const StripSheet&) = delete;

    // Reads the strip files in order and keeps those that could be read.
    // Answers one line per file that could not, naming it and saying why;
    // files that opened with a warning (a damaged end) are named in one
    // message.
    QStringList Load(const QStringList& paths);
    int StripCount() const { return int(strips_.size()); }

    // One line per strip with names too long for their field on paper of
    // these attributes: the strip's title and the names.
    QStringList UnfitLines(const DeviceContext::Attributes& paper) const;
    // Makes every strip's printer font for the paper of dc, as a print job
    // does before its first page.
    void BeginPrinting(const DeviceContext& dc);
    // Lays the strips out for paper of a printer with these attributes;
    // pages are drawn in this layout until the next one.
    const std::vector<SheetPlace>& LayOut(const DeviceContext::Attributes& paper);
    int PageCount() const { return SheetPageCount(places_); }
    // Draws page `page` (from 0) of the last layout.
    void DrawPage(DeviceContext& dc, int page) const;

    // The lines one per row; past `max` of them, how many more there are,
    // so that a box for sixty strips still fits the screen.
    static QString LineList(const QStringList& lines, int max);
    static constexpr int kListedLines = 10;
    // The first strip's title, and how many more follow.
    QString JobTitle() const;

private:
    struct Strip {
        Strip();
        ~Strip();
        CV7NamenDoc doc;
        SettingsView view;
        CLabelFont printerFont;
    };
    // The marks around frame; those below it end short of footer (the
    // title and date), and are left out where no room is left for them.
    void DrawCuttingMarks(DeviceContext& dc, const RECT& frame, const RECT& footer) const;

    std::optional<LayoutValues> placement_;
    bool fitLongNames_;
    std::vector<std::unique_ptr<Strip>> strips_;
    std::vector<SheetPlace> places_;
    // Each strip's frame where a single print puts it, in device pixels.
    std::vector<RECT> frames_;
    // And its title and date (empty when it prints none).
    std::vector<RECT> footers_;
};
