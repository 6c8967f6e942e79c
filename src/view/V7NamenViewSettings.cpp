// The settings commands of the view: "Optionen" and the font chooser.

#include "document/V7NamenDoc.h"
#include "platform/ui/UiHost.h"
#include "view/OptionsDlg.h"
#include "view/V7NamenView.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// To the nearest whole number, a half up. Only values the dialog accepted
// arrive here, but the conversion stays defined for any float.
std::int32_t RoundHalfUp(double value) {
    const double rounded = std::floor(value + 0.5);
    return std::int32_t(std::clamp(rounded, double(std::numeric_limits<std::int32_t>::min()),
                                   double(std::numeric_limits<std::int32_t>::max())));
}

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
    // The dialog shows millimetres and centimetres. The single-precision
    // factors make a confirmed dialog without edits give back exactly the
    // values it was filled with.
    dialog.textOffsetMm = float(double(textOffset) * double(0.1f));
    dialog.leftMarginCm = float(double(leftMargin) * double(0.01f));
    dialog.topMarginCm = float(double(topMargin) * double(0.01f));
    dialog.zoomXPercent = zoomX;
    dialog.zoomYPercent = zoomY;
    if (GetUiHost().RunModal(dialog) != QDialog::Accepted)
        return;

    std::int32_t shade = dialog.shadeChoice;
    if (shade < 0 || shade > 3) // no selection
        shade = kDefaultShadeIndex;
    bool changed = StoreIfChanged(shadeIndex, shade);
    changed |= StoreIfChanged(textOffset, RoundHalfUp(double(dialog.textOffsetMm) * 10));
    changed |= StoreIfChanged(leftMargin, RoundHalfUp(double(dialog.leftMarginCm) * 100));
    changed |= StoreIfChanged(topMargin, RoundHalfUp(double(dialog.topMarginCm) * 100));
    changed |= StoreIfChanged(zoomX, dialog.zoomXPercent);
    changed |= StoreIfChanged(zoomY, dialog.zoomYPercent);
    if (!changed)
        return;
    if (CV7NamenDoc* doc = GetDocument())
        doc->SetModifiedFlag(true);
    viewport()->update();
}

void CV7NamenView::OnFont() {
    if (!labelFont.ChooseLabelFont())
        return;
    SetEditorFont();
    // Also for the font that was already set: the user confirmed a choice.
    if (CV7NamenDoc* doc = GetDocument())
        doc->SetModifiedFlag(true);
    viewport()->update();
}
