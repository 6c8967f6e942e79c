// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printer calibration (ID_FILE_CALIBRATE): the printer to calibrate,
// the test page printed on it, the four lengths the user measured on the
// page and the correction they give. OK closes it with `printer` and
// `correction` set; the caller keeps the correction for that printer. The
// strip itself is never changed.

#include "document/Calibration.h"
#include "document/LayoutValues.h"
#include "platform/draw/PaperCorrection.h"

#include <QDialog>
#include <QStringList>
#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class CalibrationDialog : public QDialog {
    Q_OBJECT
public:
    // What the dialog needs to know of a printer.
    struct PrinterState {
        int barBMillimetres = 200;                 // the test page's bar B on it
        std::optional<PaperCorrection> correction; // kept for it so far
    };

    // Without a parent the main window owns the dialog.
    explicit CalibrationDialog(QWidget* parent = nullptr);

    // In, before the dialog is shown: the strip's settings the test page
    // prints with; the printers to choose from and the one chosen first.
    LayoutValues now;
    QStringList printers;
    QString defaultPrinter;
    // A printer's state, asked when it is chosen and after a test print.
    std::function<PrinterState(const QString& printer)> printerState;
    // Prints the test page on a printer; answers the printer it went to
    // (the print dialog may choose another), none when it did not.
    std::function<std::optional<QString>(const QString& printer)> printTestPage;
    // "Zurücksetzen": the printer's correction is removed.
    std::function<void(const QString& printer)> resetCorrection;

    // Out, after OK.
    QString printer;
    PaperCorrection correction;

    // The field of a control id (IDC_CALIB_LEFT ... IDC_CALIB_BAR_B), or null.
    QLineEdit* Edit(int id) const;
    QComboBox* PrinterBox() const { return printerBox_; }
    QLabel* StateLine() const { return stateLine_; }
    QLabel* NewValuesLine() const { return newValues_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* TestPageButton() const { return testPage_; }
    QPushButton* ResetButton() const { return reset_; }

    // The line under the fields for this correction.
    static QString NewValuesText(const PaperCorrection& correction);

    // OK: reads the fields in order; the first refused one keeps the dialog open.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void InitDialog();
    QString Chosen() const;
    void TakePrinterState();
    void OnTestPage();
    void OnReset();
    void UpdateNewValues();
    // The four lengths; on the first field refused (with its message when
    // `report`, the field selected) nothing.
    std::optional<calibration::Measured> Measure(bool report);

    QComboBox* printerBox_ = nullptr;
    QLabel* stateLine_ = nullptr;
    QLineEdit* fields_[4] = {};
    QLabel* newValues_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* testPage_ = nullptr;
    QPushButton* reset_ = nullptr;
    PrinterState state_;
    bool initialized_ = false;
};
