#pragma once
// The view of the key strip: it owns the layout settings and the label
// font, and computes where every field lies on screen and on paper.

#include "document/LayoutSettings.h"
#include "document/StripGeometry.h"
#include "platform/draw/DeviceContext.h"
#include "platform/framework/ScrollViewBase.h"
#include "platform/ui/UiHost.h"
#include "view/NameFit.h"

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

class CNameEdit;
class CV7NamenDoc;

class CV7NamenView : public ScrollViewBase, public LayoutSettings {
    Q_OBJECT
public:
    // The scroll area is this many pixels wider and higher than the strip.
    static constexpr int kScrollPadX = 40;
    static constexpr int kScrollPadY = 20;
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

    explicit CV7NamenView(QWidget* parent = nullptr);
    ~CV7NamenView() override;

    CV7NamenDoc* GetDocument() const;

    void OnInitialUpdate() override;
    void OnUpdate() override;
    void OnPrepareDC(DeviceContext& dc) override;
    void OnDraw(DeviceContext& dc) override;
    bool OnPreparePrinting(PrintInfo& info) override;
    void OnBeginPrinting(DeviceContext& dc, PrintInfo& info) override;
    void OnEndPrinting(DeviceContext& dc, PrintInfo& info) override;

    // The rectangle of field index: on screen (printing false) in scroll-area
    // pixels, centred in the client area; on paper in the logical units of
    // dc, at the margins.
    void GetFieldRect(int index, RECT& rect, const DeviceContext* dc) const;

    // 0.1 mm to screen pixels at the fixed screen scale, truncated.
    int ScreenLength(double tenthsMm) const;

    // In-place editing: opens the editor over field index with its name.
    void BeginEdit(int index);
    // Scrolls field index into view if needed and puts the editor over it.
    void PositionEdit(int index);
    // Stores the editor's text as the field's name and hides the editor;
    // runs whenever the editor loses the focus. Text the user left as it was
    // shown keeps the whole stored name, also the part the editor did not
    // show.
    void CommitEdit();
    // Tab (9), Enter (13) and Esc (27) from the editor.
    void OnEditKey(int key, int flags);
    void CommitPendingEdit() override;
    CNameEdit* NameEdit() const { return nameEdit_; }
    // Hands the label font to the editor.
    void SetEditorFont();

    // The field menu: opened by the right button over a field.
    void OnRButtonDown(QPoint clientPoint);
    void OnFieldColor();
    void OnFieldDefaultColor();
    void OnFieldInsert();
    void OnFieldRemove();

    // "Optionen" and the font chooser: change the layout settings.
    void OnOptions();
    void OnFont();

    // The calibration test page in place of the strip: printed through the
    // print dialog (direct: as the printer is set up) with the current
    // margins and scales and the strip's paper geometry.
    PrintJob::Result PrintTestPage(bool direct);
    // The nominal length (mm) of the test page's vertical bar on the device
    // of dc, with the current top margin and vertical scale.
    int TestBarBMillimetres(const DeviceContext& dc) const;

    // Where the printed strip lies, in device pixels of dc (a printer's
    // context prepared for printing, with the print scale; right and bottom
    // exclusive): its outer frame, and the title and date printed below it.
    struct PaperExtent {
        RECT frame{};
        RECT footer{};
    };
    PaperExtent PrintedExtent(DeviceContext& dc) const;

    // Names too long for their field. The one measure: whether name, set in
    // font as dc draws it, keeps within its field between the indent on
    // the left and the same indent on the right; on paper when dc is a
    // printer's context (prepared with its print scale), else on screen.
    NameFit MeasureName(const QString& name, const FontObject& font, const DeviceContext& dc) const;
    // The strip's names that do not fit on the paper of a printer described
    // by `paper`, in field order; with long names set narrower, only those
    // that stay too long even so.
    std::vector<UnfitName> UnfitNames(const DeviceContext::Attributes& paper) const;
    // That list for the application's printer (the PDF geometry without
    // one), kept until the strip, a setting or the printer changes.
    const std::vector<UnfitName>& PaperUnfitNames();
    // Before a print from the dialog: false when names do not fit and the
    // user does not want to print anyway.
    bool ConfirmUnfitNames(const QPrinter& printer) const;
    void OnPrinterChanged() override;

    // "Lange Namen schmaler setzen", on screen and on paper.
    bool FitLongNames() const { return fitLongNames_; }
    void SetFitLongNames(bool on);
    // Told when the Options dialog changes the option (the profile keeps it).
    void SetFitOptionHandler(std::function<void(bool)> handler) {
        fitOptionHandler_ = std::move(handler);
    }

signals:
    // The number of names that do not fit on paper, whenever it is found anew.
    void unfitCountChanged(int count);

public:
    // Screen pixels per 0.1 mm, fixed whatever the display's resolution.
    const float screenScale;
    // True from the start to the end of a print job or print preview.
    bool printing = false;
    // While printing: draw the calibration test page instead of the strip.
    bool testPage = false;
    CLabelFont printerFont;
    // The field being edited, or -1.
    int editIndex = -1;
    // The field the field menu was last opened on, or -1.
    int menuIndex = -1;
    // The colour chooser's custom colours, kept for the run.
    CustomColors customColors;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The field under a client point (scroll position added), or -1.
    int HitTest(QPoint clientPoint) const;
    void GetScreenFieldRect(int index, RECT& rect) const;
    void GetPaperFieldRect(int index, RECT& rect, const DeviceContext& dc) const;
    void DrawTestPage(DeviceContext& dc);
    void GetFieldRectOn(int index, RECT& rect, const DeviceContext* dc, bool paper) const;
    // The strip's outer frame on paper, in the logical units of dc.
    RECT PaperFrame(const DeviceContext& dc) const;
    // The two lines printed below the strip: the title and today's date.
    QStringList FooterLines() const;
    // The print scale as the context preparation sets it while printing.
    void ApplyPrintScale(DeviceContext& dc) const;
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
                  const TextRoom& room);
    // The red wedge inside the right edge of field f.
    void DrawUnfitMark(DeviceContext& dc, const RECT& f);
    // Finds the list for the printer anew; marks and status follow.
    void CheckFit();
    void InvalidateFit();

    CNameEdit* nameEdit_; // child of the viewport
    // The text the editor showed when it opened on editIndex.
    QString editShownText_;

    bool fitLongNames_ = false;
    std::function<void(bool)> fitOptionHandler_;
    std::vector<UnfitName> unfit_;
    bool unfitValid_ = false;
    bool fitCheckPending_ = false;
    int reportedCount_ = -1; // what unfitCountChanged last said
};
