// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The view of the key strip: the widget that shows it, scrolls it, lets
// the user type the names in place and opens the field menu. It owns the
// layout settings and the label font; where the fields lie and how the
// strip looks on screen and on paper is the strip painter's, to which the
// view hands its settings and its state.

#include "document/LayoutSettings.h"
#include "document/StripGeometry.h"
#include "paint/NameFit.h"
#include "paint/StripPainter.h"
#include "platform/draw/DeviceContext.h"
#include "platform/ui/UiHost.h"
#include "platform/window/ScrollViewBase.h"

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
    // The painter with the view's settings, state and client width.
    StripPainter Painter() const;

    // 0.1 mm to screen pixels at the fixed screen scale, truncated.
    int ScreenLength(double tenthsMm) const { return ::ScreenLength(tenthsMm); }

    // The field the keyboard is on while the view has the focus; the editor
    // opens on it with Enter or F2, and it follows the editor.
    int CurrentField() const { return currentField_; }
    void SetCurrentField(int index);

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
    // What the editor holds that the document does not yet: the field and
    // its name as a commit would store it. False when no field is open or
    // its text is as it was shown.
    bool PendingName(int& index, std::string& name) const;
    CNameEdit* NameEdit() const;
    // Hands the label font to the editor.
    void SetEditorFont();

    // The field menu: opened by the right button over a field, or by the
    // Menu key or Shift+F10 for the current field.
    void OnRButtonDown(QPoint clientPoint);
    void OpenFieldMenu(int index);
    void OnFieldColor();
    void OnFieldDefaultColor();
    void OnFieldInsert();
    void OnFieldRemove();

    // ID_OPTIONS and ID_FONT: change the layout settings.
    void OnOptions();
    void OnFont();

    // The calibration test page on printer, through the print dialog
    // (direct: as the printer is set up) with the current margins and
    // scales and the printer's correction.
    PrintJob::Result PrintTestPage(QPrinter& printer, bool direct);
    // The nominal length (mm) of the test page's vertical bar on the device
    // of dc, with the current top margin and vertical scale.
    int TestBarBMillimetres(const DeviceContext& dc) const;

    // Where the printed strip lies, in device pixels of dc (a printer's
    // context prepared for printing).
    using PaperExtent = StripPainter::PaperExtent;
    PaperExtent PrintedExtent(DeviceContext& dc) const { return Painter().PrintedExtent(dc); }

    // Names too long for their field: whether name, set in font as dc
    // draws it, keeps within its field (on paper when dc is a printer's).
    NameFit MeasureName(const QString& name, const FontObject& font,
                        const DeviceContext& dc) const {
        return Painter().MeasureName(name, font, dc);
    }
    // The strip's names that do not fit on the paper of a printer described
    // by `paper`, in field order.
    std::vector<UnfitName> UnfitNames(const DeviceContext::Attributes& paper) const {
        return Painter().UnfitNames(paper);
    }
    // That list for the application's printer (the PDF geometry without
    // one), kept until the strip, a setting or the printer changes.
    const std::vector<UnfitName>& PaperUnfitNames();
    // Before a print from the dialog: false when names do not fit and the
    // user does not want to print anyway.
    bool ConfirmUnfitNames(const QPrinter& printer) const;
    void OnPrinterChanged() override;

    // Long names set narrower (IDC_FIT_LONG_NAMES), on screen and on paper.
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
    CLabelFont printerFont;
    // The field being edited, or -1.
    int editIndex = -1;
    // The field the field menu was last opened on, or -1.
    int menuIndex = -1;
    // The colour chooser's custom colours, kept for the run.
    CustomColors customColors;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Scrolls the view so that field index is wholly in sight, as opening
    // the editor on it does.
    void ScrollFieldIntoView(int index);
    void TrackFieldMenu(QPoint clientPoint);
    // The keys' move: the field becomes current and comes into sight.
    void MoveCurrentField(int index);
    // Up and Down in the editor: commit and open the field `delta` away.
    void OnEditMove(int delta);
    // Tells a screen reader which names changed since it was last told.
    void AnnounceNames();
    // How many fields the view shows at once (at least one).
    int FieldsInSight() const;
    // The name a commit stores for the editor's text: the text, and the
    // part of a very long stored name that was never in the editor.
    std::string EditedName(int index, const QString& text) const;
    // The field under a client point (scroll position added), or -1.
    int HitTest(QPoint clientPoint) const;
    // Finds the list for the printer anew; marks (with `repaint`) and status
    // follow. Without `wait`, nothing is done while the printer is still
    // being asked for.
    void CheckFit(bool wait = false, bool repaint = true);
    void InvalidateFit();
    // The marks to draw with dc: the last list found on screen (a search
    // for the new one is started when it is out of date), none on paper.
    const std::vector<UnfitName>* MarksFor(const DeviceContext& dc);

    void MakeEditor();

    CNameEdit* nameEdit_ = nullptr; // child of the viewport, made on first use
    int currentField_ = 0;
    std::vector<std::string> announced_; // the names a screen reader was told
    // The text the editor showed when it opened on editIndex.
    QString editShownText_;

    bool fitLongNames_ = false;
    std::function<void(bool)> fitOptionHandler_;
    std::vector<UnfitName> unfit_;
    bool unfitValid_ = false;
    int reportedCount_ = -1; // what unfitCountChanged last said
};
