// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/OptionsDlg.h"

#include "document/LayoutSettings.h"
#include "platform/dialogs/WindowHost.h"
#include "platform/ui/DialogUnits.h"
#include "platform/ui/StringTable.h"
#include "platform/ui/UiHost.h"
#include "resources/Resource.h"
#include "view/DialogNumber.h"
#include "view/ShadeComboBox.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// The template is laid out in dialog units of the 8-point dialog font.
void Place(QWidget* control, int x, int y, int width, int height) {
    control->setGeometry(dlu::ToPixels(x, y, width, height));
}

QLineEdit* MakeEdit(QWidget* parent, int x, int y, int width, int height) {
    auto* edit = new QLineEdit(parent);
    Place(edit, x, y, width, height);
    return edit;
}

// A label tied to the control it names, so that its mnemonic and a screen
// reader find that control.
void MakeLabel(QWidget* parent, const QString& text, int x, int y, int width, int height,
               QWidget* buddy) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setBuddy(buddy);
    Place(label, x, y, width, height);
}

} // namespace

COptionsDlg::COptionsDlg(QWidget* parent)
    : QDialog(parent ? parent : GetWindowHost().MainWindow()) {
    setWindowTitle(LoadStr(IDS_OPTIONS_TITLE));
    setFont(dlu::DialogFont());
    setFixedSize(dlu::ToPixelsX(192), dlu::ToPixelsY(133));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    // Created in template order, which is the tab order.
    shade_ = new ShadeComboBox(this);
    const QRect shadeRect = dlu::ToPixels(52, 6, 60, 66);
    shade_->setGeometry(shadeRect.x(), shadeRect.y(), shadeRect.width(),
                        ShadeComboBox::BoxHeight());
    // The template's own entries; the initialisation replaces them by swatches.
    shade_->addItems({LoadStr(IDS_OPTIONS_SHADE_WHITE), LoadStr(IDS_OPTIONS_SHADE_LIGHT_GREY),
                      LoadStr(IDS_OPTIONS_SHADE_GREY), LoadStr(IDS_OPTIONS_SHADE_DARK_GREY)});

    textOffset_ = MakeEdit(this, 76, 36, 24, 14);
    leftMargin_ = MakeEdit(this, 68, 76, 31, 14);
    topMargin_ = MakeEdit(this, 68, 92, 31, 14);
    zoomX_ = MakeEdit(this, 148, 76, 31, 14);
    zoomY_ = MakeEdit(this, 148, 92, 31, 14);

    ok_ = new QPushButton(LoadStr(IDS_BUTTON_OK), this);
    Place(ok_, 132, 4, 50, 14);
    ok_->setDefault(true);
    cancel_ = new QPushButton(LoadStr(IDS_BUTTON_CANCEL), this);
    Place(cancel_, 132, 20, 50, 14);
    connect(ok_, &QPushButton::clicked, this, &COptionsDlg::accept);
    connect(cancel_, &QPushButton::clicked, this, &COptionsDlg::reject);

    MakeLabel(this, LoadStr(IDS_OPTIONS_SHADE), 8, 8, 40, 8, shade_);
    MakeLabel(this, LoadStr(IDS_OPTIONS_TEXT_OFFSET), 8, 32, 64, 16, textOffset_);
    MakeLabel(this, LoadStr(IDS_OPTIONS_LEFT_MARGIN), 8, 79, 56, 8, leftMargin_);
    MakeLabel(this, LoadStr(IDS_OPTIONS_TOP_MARGIN), 8, 95, 56, 8, topMargin_);
    MakeLabel(this, LoadStr(IDS_OPTIONS_ZOOM_X), 108, 79, 40, 8, zoomX_);
    MakeLabel(this, LoadStr(IDS_OPTIONS_ZOOM_Y), 108, 95, 40, 8, zoomY_);

    auto* group = new QGroupBox(LoadStr(IDS_OPTIONS_PRINTOUT), this);
    Place(group, 4, 64, 180, 48);
    // Behind the fields it frames, so that they still get the mouse.
    group->lower();

    // A program-wide option, one row below the others.
    fitLongNames_ = new QCheckBox(LoadStr(IDS_FIT_LONG_NAMES), this);
    fitLongNames_->setObjectName(QStringLiteral("FitLongNames"));
    Place(fitLongNames_, 8, 117, 176, 10);
}

QLineEdit* COptionsDlg::Edit(int id) const {
    switch (id) {
    case IDC_TEXT_OFFSET:
        return textOffset_;
    case IDC_LEFT_MARGIN:
        return leftMargin_;
    case IDC_TOP_MARGIN:
        return topMargin_;
    case IDC_ZOOM_X:
        return zoomX_;
    case IDC_ZOOM_Y:
        return zoomY_;
    default:
        return nullptr;
    }
}

void COptionsDlg::showEvent(QShowEvent* event) {
    if (!initialized_) {
        initialized_ = true;
        InitDialog();
    }
    QDialog::showEvent(event);
}

void COptionsDlg::InitDialog() {
    textOffset_->setText(dialognumber::ShowDecimal(textOffsetMm));
    leftMargin_->setText(dialognumber::ShowDecimal(leftMarginCm));
    topMargin_->setText(dialognumber::ShowDecimal(topMarginCm));
    zoomX_->setText(dialognumber::ShowWhole(zoomXPercent));
    zoomY_->setText(dialognumber::ShowWhole(zoomYPercent));
    fitLongNames_->setChecked(fitLongNames);

    shade_->FillShades();
    // A shade outside the table (from a file) leaves the list without a selection.
    shade_->setCurrentIndex(IsShadeIndex(shadeChoice) ? int(shadeChoice) : -1);
    shade_->setFocus(Qt::OtherFocusReason);
}

void COptionsDlg::accept() {
    if (ReadValues())
        QDialog::accept();
}

bool COptionsDlg::ReadValues() {
    // Read into locals in table order: the members change only when every
    // field is accepted, and the first refusal ends the reading.
    float offset = 0;
    float left = 0;
    float top = 0;
    std::int16_t zx = 0;
    std::int16_t zy = 0;
    if (!ReadDecimalField(textOffset_, 0, 20, offset) ||
        !ReadDecimalField(leftMargin_, 0, 30, left) || !ReadDecimalField(topMargin_, 0, 30, top) ||
        !ReadWholeField(zoomX_, 1, 200, zx) || !ReadWholeField(zoomY_, 1, 200, zy))
        return false;
    shadeChoice = shade_->currentIndex();
    textOffsetMm = offset;
    leftMarginCm = left;
    topMarginCm = top;
    zoomXPercent = zx;
    zoomYPercent = zy;
    fitLongNames = fitLongNames_->isChecked();
    return true;
}

bool COptionsDlg::ReadDecimalField(QLineEdit* edit, int low, int high, float& value) {
    const std::optional<float> read = dialognumber::ReadDecimal(edit->text());
    if (!read) {
        Refuse(edit, LoadStr(IDP_PARSE_REAL));
        return false;
    }
    // Compared in single precision, as the value is held.
    if (*read < float(low) || *read > float(high)) {
        Refuse(edit, FormatString(IDP_PARSE_REAL_RANGE, {low, high}));
        return false;
    }
    value = *read;
    return true;
}

bool COptionsDlg::ReadWholeField(QLineEdit* edit, int low, int high, std::int16_t& value) {
    const std::optional<std::int16_t> read = dialognumber::ReadWhole(edit->text());
    if (!read) {
        Refuse(edit, LoadStr(IDP_PARSE_INT));
        return false;
    }
    if (*read < low || *read > high) {
        Refuse(edit, FormatString(IDP_PARSE_INT_RANGE, {low, high}));
        return false;
    }
    value = *read;
    return true;
}

void COptionsDlg::Refuse(QLineEdit* edit, const QString& message) {
    AppMessageBox(message, MbButtons::Ok, MbIcon::Exclamation);
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}
