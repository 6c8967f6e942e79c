// The settings commands of the view: "Optionen" and the font chooser.

#include "document/V7NamenDoc.h"
#include "platform/ui/UiHost.h"
#include "view/DialogNumber.h"
#include "view/OptionsDlg.h"
#include "view/V7NamenView.h"

#include <cstring>

namespace {

// Stores value into setting when they differ; answers whether it did.
template <typename T>
bool StoreIfChanged(T& setting, T value) {
    if (setting == value)
        return false;
    setting = value;
    return true;
}

} // namespace

void CV7NamenView::OnOptions() {
    COptionsDlg dialog;
    dialog.shadeChoice = shadeIndex;
    // The dialog shows millimetres and centimetres.
    dialog.textOffsetMm = dialognumber::TenthsToUnit(textOffset, 10);
    dialog.leftMarginCm = dialognumber::TenthsToUnit(leftMargin, 100);
    dialog.topMarginCm = dialognumber::TenthsToUnit(topMargin, 100);
    dialog.zoomXPercent = zoomX;
    dialog.zoomYPercent = zoomY;
    if (GetUiHost().RunModal(dialog) != QDialog::Accepted)
        return;

    std::int32_t shade = dialog.shadeChoice;
    if (shade < 0 || shade > 3) // no selection
        shade = kDefaultShadeIndex;
    bool changed = StoreIfChanged(shadeIndex, shade);
    changed |= StoreIfChanged(textOffset, dialognumber::UnitToTenths(dialog.textOffsetMm, 10));
    changed |= StoreIfChanged(leftMargin, dialognumber::UnitToTenths(dialog.leftMarginCm, 100));
    changed |= StoreIfChanged(topMargin, dialognumber::UnitToTenths(dialog.topMarginCm, 100));
    changed |= StoreIfChanged(zoomX, dialog.zoomXPercent);
    changed |= StoreIfChanged(zoomY, dialog.zoomYPercent);
    if (!changed)
        return;
    if (CV7NamenDoc* doc = GetDocument())
        doc->SetModifiedFlag(true);
    viewport()->update();
}

void CV7NamenView::OnFont() {
    LOGFONTA before{};
    labelFont.GetObject(&before);
    if (!labelFont.ChooseLabelFont())
        return;
    LOGFONTA after{};
    labelFont.GetObject(&after);
    // The font the strip is drawn with, confirmed: the strip and its file
    // stay exactly as they are.
    if (std::memcmp(&before, &after, sizeof before) == 0)
        return;
    SetEditorFont();
    if (CV7NamenDoc* doc = GetDocument())
        doc->SetModifiedFlag(true);
    viewport()->update();
}
