#pragma once
// Several strips printed side by side on as few pages as needed, as one
// print job. Each strip is drawn exactly as its own print draws it (names,
// colours, shade, font, indent, title and date), but all at the same
// margins and print scales, so that one printer calibration serves the
// whole sheet; short cutting marks lie outside each frame's corners.

#include "document/LayoutValues.h"
#include "platform/draw/DeviceContext.h"
#include "platform/framework/ScrollViewBase.h"
#include "view/NameFit.h"
#include "view/SheetLayout.h"

#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

class CV7NamenDoc;
class CV7NamenView;

class CStripSheet : public ScrollViewBase {
    Q_OBJECT
public:
    // Between neighbouring strips, and between rows: 5 mm (0.1 mm).
    static constexpr int kGap = 50;
    // Cutting marks: 3 mm lines on the frame's edges, 1 mm from its corners.
    static constexpr int kMarkLength = 30;
    static constexpr int kMarkDistance = 10;

    // placement: the margins and print scales for every strip (the rest of
    // it is not used; none: those of the first strip read); fitLongNames:
    // set long names narrower.
    CStripSheet(std::optional<LayoutValues> placement, bool fitLongNames);
    ~CStripSheet() override;

    // Reads the strip files in order and keeps those that could be read.
    // Answers one line per file that could not, naming it and saying why.
    QStringList Load(const QStringList& paths);
    int StripCount() const { return int(strips_.size()); }

    // One line per strip with names too long for their field on paper of
    // these attributes: the strip's title and the names.
    QStringList UnfitLines(const DeviceContext::Attributes& paper) const;
    // Lays the strips out for paper of a printer with these attributes;
    // pages are printed in this layout until the next one.
    const std::vector<SheetPlace>& LayOut(const DeviceContext::Attributes& paper);

    // The lines one per row; past `max` of them, how many more there are,
    // so that a box for sixty strips still fits the screen.
    static QString LineList(const QStringList& lines, int max);
    static constexpr int kListedLines = 10;

    // The first strip's title, and how many more follow.
    QString JobTitle() const override;
    void OnDraw(DeviceContext&) override {}
    bool OnPreparePrinting(PrintInfo& info) override;
    void OnBeginPrinting(DeviceContext& dc, PrintInfo& info) override;
    void OnPrint(DeviceContext& dc, PrintInfo& info) override;
    void OnEndPrinting(DeviceContext& dc, PrintInfo& info) override;

private:
    struct Strip {
        Strip();
        ~Strip();
        std::unique_ptr<CV7NamenDoc> doc;
        std::unique_ptr<CV7NamenView> view;
    };
    // Every strip's printing state (its printer font) for the paper of an
    // information context.
    void BeginStrips(DeviceContext& dc);
    void DrawCuttingMarks(DeviceContext& dc, const RECT& frame) const;

    std::optional<LayoutValues> placement_;
    bool fitLongNames_;
    std::vector<std::unique_ptr<Strip>> strips_;
    std::vector<SheetPlace> places_;
    // Each strip's frame where a single print puts it, in device pixels.
    std::vector<RECT> frames_;
};
