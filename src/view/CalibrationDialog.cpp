// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/CalibrationDialog.h"

#include "platform/dialogs/WindowHost.h"
#include "platform/ui/DialogUnits.h"
#include "platform/ui/StringTable.h"
#include "platform/ui/UiHost.h"
#include "resources/Resource.h"
#include "view/DialogNumber.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

namespace {

constexpr int kFieldIds[4] = {IDC_CALIB_LEFT, IDC_CALIB_TOP, IDC_CALIB_BAR_A, IDC_CALIB_BAR_B};
// Whole millimetres each field takes: the distances may be 0 where a
// margin is below 1 mm, a bar's length never (it divides).
constexpr int kLowest[4] = {0, 0, 1, 1};
constexpr int kHighest = 400;

QLabel* MakeLabel(QWidget* parent, const QString& text, QRect dlu, bool wrap = false) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(wrap);
    label->setGeometry(dlu::ToPixels(dlu.x(), dlu.y(), dlu.width(), dlu.height()));
    return label;
}

QPushButton* MakeButton(QWidget* parent, const QString& text, QRect dlu) {
    auto* button = new QPushButton(text, parent);
    button->setGeometry(dlu::ToPixels(dlu.x(), dlu.y(), dlu.width(), dlu.height()));
    return button;
}

// A number with two decimals and a decimal comma: "101,00", "-0,80".
QString TwoDecimals(double v) {
    return QLocale(QLocale::German).toString(v, 'f', 2);
}

} // namespace

CalibrationDialog::CalibrationDialog(QWidget* parent)
    : QDialog(parent ? parent : GetWindowHost().MainWindow()) {
    setWindowTitle(LoadStrPart(IDS_CALIB_DIALOG, 0));
    setFont(dlu::DialogFont());
    setFixedSize(dlu::ToPixelsX(284), dlu::ToPixelsY(168));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    // Created in tab order: the four fields first.
    for (int i = 0; i < 4; ++i) {
        fields_[i] = new QLineEdit(this);
        fields_[i]->setGeometry(dlu::ToPixels(180, 56 + 18 * i, 38, 14));
        connect(fields_[i], &QLineEdit::textChanged, this, &CalibrationDialog::UpdateNewValues);
    }
    ok_ = MakeButton(this, LoadStr(IDS_BUTTON_OK), {226, 6, 50, 14});
    ok_->setDefault(true);
    auto* cancel = MakeButton(this, LoadStr(IDS_BUTTON_CANCEL), {226, 22, 50, 14});
    testPage_ = MakeButton(this, LoadStrPart(IDS_CALIB_DIALOG, 6), {8, 148, 90, 14});
    reset_ = MakeButton(this, LoadStrPart(IDS_CALIB_DIALOG, 7), {104, 148, 70, 14});
    printerBox_ = new QComboBox(this);
    printerBox_->setGeometry(dlu::ToPixels(50, 6, 168, 14));
    connect(ok_, &QPushButton::clicked, this, &CalibrationDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &CalibrationDialog::reject);
    connect(testPage_, &QPushButton::clicked, this, &CalibrationDialog::OnTestPage);
    connect(reset_, &QPushButton::clicked, this, &CalibrationDialog::OnReset);
    connect(printerBox_, &QComboBox::currentIndexChanged, this, [this] {
        if (initialized_)
            TakePrinterState();
    });

    QLabel* printerLabel = MakeLabel(this, LoadStrPart(IDS_CALIB_DIALOG, 8), {8, 8, 40, 8});
    printerLabel->setBuddy(printerBox_);
    stateLine_ = MakeLabel(this, QString(), {8, 23, 210, 8});
    MakeLabel(this, LoadStrPart(IDS_CALIB_DIALOG, 1), {8, 36, 210, 18}, true);
    for (int i = 0; i < 4; ++i)
        MakeLabel(this, LoadStrPart(IDS_CALIB_DIALOG, 2 + i), {8, 59 + 18 * i, 168, 8})
            ->setBuddy(fields_[i]);
    newValues_ = MakeLabel(this, QString(), {8, 128, 268, 18}, true);
}

QLineEdit* CalibrationDialog::Edit(int id) const {
    for (int i = 0; i < 4; ++i)
        if (kFieldIds[i] == id)
            return fields_[i];
    return nullptr;
}

QString CalibrationDialog::NewValuesText(const PaperCorrection& c) {
    return FormatString(IDS_CALIB_NEW_VALUES, {TwoDecimals(c.sx * 100), TwoDecimals(c.ex),
                                               TwoDecimals(c.sy * 100), TwoDecimals(c.ey)});
}

void CalibrationDialog::showEvent(QShowEvent* event) {
    if (!initialized_)
        InitDialog();
    QDialog::showEvent(event);
}

void CalibrationDialog::InitDialog() {
    printerBox_->addItems(printers);
    const qsizetype chosen = printers.indexOf(defaultPrinter);
    printerBox_->setCurrentIndex(chosen >= 0 ? int(chosen) : 0);
    initialized_ = true;
    TakePrinterState();
    // What a perfect print of the page shows, so that OK without a change
    // keeps the correction the page was printed with.
    const calibration::Measured right = calibration::WhenRight(now, state_.barBMillimetres);
    const std::int64_t shown[4] = {right.left, right.top, right.barA, right.barB};
    for (int i = 0; i < 4; ++i)
        fields_[i]->setText(dialognumber::ShowMillimetres(shown[i]));
    fields_[0]->setFocus(Qt::OtherFocusReason);
    fields_[0]->selectAll();
}

QString CalibrationDialog::Chosen() const {
    return printerBox_->currentText();
}

void CalibrationDialog::TakePrinterState() {
    const int before = state_.barBMillimetres;
    const bool any = !Chosen().isEmpty();
    state_ = any && printerState ? printerState(Chosen()) : PrinterState{};
    stateLine_->setText(!any                ? LoadStr(IDS_PRINTSETUP_NO_PRINTER)
                        : state_.correction ? LoadStr(IDS_CALIB_HAS_CORRECTION)
                                            : LoadStr(IDS_CALIB_NO_CORRECTION));
    ok_->setEnabled(any);
    testPage_->setEnabled(any);
    reset_->setEnabled(state_.correction.has_value());
    // Bar B's field follows the page while it still shows the untouched value.
    QLineEdit* barB = fields_[3];
    const int zoomY = now.zoomY > 0 ? now.zoomY : 100;
    if (before != state_.barBMillimetres &&
        barB->text() == dialognumber::ShowMillimetres(std::int64_t(before) * zoomY))
        barB->setText(dialognumber::ShowMillimetres(std::int64_t(state_.barBMillimetres) * zoomY));
    UpdateNewValues();
}

void CalibrationDialog::OnTestPage() {
    if (!printTestPage)
        return;
    const std::optional<QString> printed = printTestPage(Chosen());
    if (!printed)
        return;
    // The page went to the printer the print dialog chose: that one is measured.
    const int index = printerBox_->findText(*printed);
    if (index >= 0 && index != printerBox_->currentIndex())
        printerBox_->setCurrentIndex(index);
    else
        TakePrinterState();
}

void CalibrationDialog::OnReset() {
    if (resetCorrection && !Chosen().isEmpty())
        resetCorrection(Chosen());
    TakePrinterState();
}

void CalibrationDialog::UpdateNewValues() {
    const std::optional<calibration::Measured> m = Measure(false);
    newValues_->setText(
        m ? NewValuesText(calibration::Correct(now, state_.correction.value_or(PaperCorrection{}),
                                               *m, state_.barBMillimetres))
          : LoadStr(IDS_CALIB_NO_VALUES));
}

std::optional<calibration::Measured> CalibrationDialog::Measure(bool report) {
    std::int64_t read4[4] = {};
    for (int i = 0; i < 4; ++i) {
        QLineEdit* field = fields_[i];
        const std::optional<std::int64_t> read = dialognumber::ReadMillimetres(field->text());
        const bool inRange = read && *read >= std::int64_t(kLowest[i]) * 100 &&
                             *read <= std::int64_t(kHighest) * 100;
        if (!inRange) {
            if (report) {
                QString text = LoadStr(read ? IDP_PARSE_REAL_RANGE : IDP_PARSE_REAL);
                text.replace(QLatin1String("%1"), QString::number(kLowest[i]));
                text.replace(QLatin1String("%2"), QString::number(kHighest));
                AppMessageBox(text, MbButtons::Ok, MbIcon::Exclamation);
                field->setFocus(Qt::OtherFocusReason);
                field->selectAll();
            }
            return std::nullopt;
        }
        read4[i] = *read;
    }
    return calibration::Measured{read4[0], read4[1], read4[2], read4[3]};
}

void CalibrationDialog::accept() {
    const std::optional<calibration::Measured> m = Measure(true);
    if (!m)
        return;
    if (Chosen().isEmpty())
        return;
    printer = Chosen();
    correction = calibration::Correct(now, state_.correction.value_or(PaperCorrection{}), *m,
                                      state_.barBMillimetres);
    QDialog::accept();
}
