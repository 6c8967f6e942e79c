#include "view/CalibrationDialog.h"

#include "platform/dialogs/WindowHost.h"
#include "platform/ui/DialogUnits.h"
#include "platform/ui/StringTable.h"
#include "platform/ui/UiHost.h"
#include "resources/Resource.h"
#include "view/DialogNumber.h"

#include <QLabel>
#include <QLineEdit>
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

// Tenths of a millimetre as centimetres with two decimals: "1,79".
QString Centimetres(std::int32_t tenths) {
    return QStringLiteral("%1,%2").arg(tenths / 100).arg(tenths % 100, 2, 10, QLatin1Char('0'));
}

} // namespace

CalibrationDialog::CalibrationDialog(QWidget* parent)
    : QDialog(parent ? parent : GetWindowHost().MainWindow()) {
    setWindowTitle(LoadStrPart(IDS_CALIB_DIALOG, 0));
    setFont(dlu::DialogFont());
    setFixedSize(dlu::ToPixelsX(284), dlu::ToPixelsY(140));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    // Created in tab order: the four fields first.
    for (int i = 0; i < 4; ++i) {
        fields_[i] = new QLineEdit(this);
        fields_[i]->setGeometry(dlu::ToPixels(180, 28 + 18 * i, 38, 14));
        connect(fields_[i], &QLineEdit::textChanged, this, &CalibrationDialog::UpdateNewValues);
    }
    ok_ = MakeButton(this, LoadStr(IDS_BUTTON_OK), {226, 6, 50, 14});
    ok_->setDefault(true);
    auto* cancel = MakeButton(this, LoadStr(IDS_BUTTON_CANCEL), {226, 22, 50, 14});
    testPage_ = MakeButton(this, LoadStrPart(IDS_CALIB_DIALOG, 6), {8, 120, 90, 14});
    last_ = MakeButton(this, LoadStrPart(IDS_CALIB_DIALOG, 7), {104, 120, 124, 14});
    connect(ok_, &QPushButton::clicked, this, &CalibrationDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &CalibrationDialog::reject);
    connect(testPage_, &QPushButton::clicked, this, &CalibrationDialog::OnTestPage);
    connect(last_, &QPushButton::clicked, this, &CalibrationDialog::OnLast);

    MakeLabel(this, LoadStrPart(IDS_CALIB_DIALOG, 1), {8, 6, 210, 18}, true);
    for (int i = 0; i < 4; ++i)
        MakeLabel(this, LoadStrPart(IDS_CALIB_DIALOG, 2 + i), {8, 31 + 18 * i, 168, 8});
    newValues_ = MakeLabel(this, QString(), {8, 100, 268, 18}, true);
}

QLineEdit* CalibrationDialog::Edit(int id) const {
    for (int i = 0; i < 4; ++i)
        if (kFieldIds[i] == id)
            return fields_[i];
    return nullptr;
}

QString CalibrationDialog::NewValuesText(const calibration::Result& values) {
    return FormatString(IDS_CALIB_NEW_VALUES,
                        {Centimetres(values.leftMargin), Centimetres(values.topMargin),
                         values.zoomX, values.zoomY});
}

void CalibrationDialog::showEvent(QShowEvent* event) {
    if (!initialized_) {
        initialized_ = true;
        InitDialog();
    }
    QDialog::showEvent(event);
}

void CalibrationDialog::InitDialog() {
    TakePrinterState();
    // What the page shows when the settings are right for the printer, so
    // that OK without a change changes nothing.
    const calibration::Measured right = calibration::WhenRight(now, state_.barBMillimetres);
    const std::int64_t shown[4] = {right.left, right.top, right.barA, right.barB};
    for (int i = 0; i < 4; ++i)
        fields_[i]->setText(dialognumber::ShowMillimetres(shown[i]));
    fields_[0]->setFocus(Qt::OtherFocusReason);
    fields_[0]->selectAll();
}

void CalibrationDialog::TakePrinterState() {
    const int before = state_.barBMillimetres;
    if (printerState)
        state_ = printerState();
    last_->setEnabled(state_.last.has_value());
    // Bar B's field follows the page while it still shows the untouched value.
    QLineEdit* barB = fields_[3];
    if (initialized_ && before != state_.barBMillimetres &&
        barB->text() == dialognumber::ShowMillimetres(std::int64_t(before) * 100))
        barB->setText(dialognumber::ShowMillimetres(std::int64_t(state_.barBMillimetres) * 100));
    UpdateNewValues();
}

void CalibrationDialog::OnTestPage() {
    if (printTestPage && printTestPage())
        TakePrinterState();
}

void CalibrationDialog::OnLast() {
    if (!state_.last)
        return;
    values = *state_.last;
    tookLast = true;
    QDialog::accept();
}

void CalibrationDialog::UpdateNewValues() {
    const std::optional<calibration::Measured> m = Measure(false);
    newValues_->setText(m ? NewValuesText(calibration::Compute(now, *m, state_.barBMillimetres))
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
    values = calibration::Compute(now, *m, state_.barBMillimetres);
    tookLast = false;
    QDialog::accept();
}
