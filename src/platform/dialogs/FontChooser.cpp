// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dialogs/FontChooser.h"

#include "platform/draw/LogFont.h"
#include "platform/draw/Screen.h"

#include <QCheckBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace fontchooser {
namespace {

// Hides the effects (underline, strike-out) and gives their room to the
// sample, which shares their rows and would otherwise shrink to nothing.
void HideEffects(QFontDialog& dialog) {
    for (QGroupBox* box : dialog.findChildren<QGroupBox*>()) {
        if (box->findChildren<QCheckBox*>().isEmpty())
            continue;
        const int room = box->sizeHint().height();
        box->hide();
        auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
        const int index = grid ? grid->indexOf(box) : -1;
        if (index >= 0) {
            int row = 0, column = 0, rows = 0, columns = 0;
            grid->getItemPosition(index, &row, &column, &rows, &columns);
            grid->setRowMinimumHeight(row, room);
        }
    }
}

} // namespace

QFont StartFont(const LOGFONTA& lf, int dpiY) {
    const QFontInfo drawn(logfont::ToQFont(lf));
    QFont font(drawn.family());
    font.setStyleName(drawn.styleName());
    font.setWeight(drawn.weight() > 0 ? QFont::Weight(drawn.weight()) : QFont::Normal);
    font.setItalic(drawn.italic());
    const double points = drawn.pixelSize() * 72.0 / std::max(1, dpiY);
    font.setPointSize(std::max(1, int(std::lround(points))));
    return font;
}

bool Run(LOGFONTA& lf, QWidget* owner) {
    const int dpi = ScreenDpiY();
    QFontDialog dialog(StartFont(lf, dpi), owner);
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    HideEffects(dialog);
    // What the dialog shows before the user touches it.
    const QFont shown = dialog.currentFont();
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QFont chosen = dialog.selectedFont();
    const bool sameFamily = chosen.family() == shown.family();
    if (sameFamily && chosen.styleName() == shown.styleName() &&
        chosen.weight() == shown.weight() && chosen.italic() == shown.italic() &&
        chosen.pointSize() == shown.pointSize())
        return true; // the drawn font confirmed: the description stays as it is
    LOGFONTA next = logfont::FromQFont(chosen, dpi);
    // A new size or style of the same family keeps the face the file named.
    if (sameFamily)
        std::memcpy(next.lfFaceName, lf.lfFaceName, sizeof next.lfFaceName);
    lf = next;
    return true;
}

} // namespace fontchooser
