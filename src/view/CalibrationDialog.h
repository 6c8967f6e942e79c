#pragma once
// The printer calibration (ID_FILE_CALIBRATE): prints the test page, takes the four lengths the
// user measured on it and shows the margins and scales they give. OK (or
// the last calibration of the printer) closes it with `values` set; the
// caller applies it.

#include "document/Calibration.h"
#include "document/LayoutValues.h"

#include <QDialog>
#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

class CalibrationDialog : public QDialog {
    Q_OBJECT
public:
    // What the dialog needs to know of the current printer.
    struct PrinterState {
        int barBMillimetres = 200;               // the test page's bar B on it
        std::optional<calibration::Result> last; // its last calibration
    };

    // Without a parent the main window owns the dialog.
    explicit CalibrationDialog(QWidget* parent = nullptr);

    // In: the settings the test page prints with; the printer's state, asked
    // when the dialog opens and after every test print (which may change the
    // printer); the test print, true when the page went out.
    LayoutValues now;
    std::function<PrinterState()> printerState;
    std::function<bool()> printTestPage;

    // Out, after OK or the last calibration's button.
    calibration::Result values;
    bool tookLast = false;

    // The field of a control id (IDC_CALIB_LEFT ... IDC_CALIB_BAR_B), or null.
    QLineEdit* Edit(int id) const;
    QLabel* NewValuesLine() const { return newValues_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* TestPageButton() const { return testPage_; }
    QPushButton* LastButton() const { return last_; }

    // The line under the fields for these values.
    static QString NewValuesText(const calibration::Result& values);

    // OK: reads the fields in order; the first refused one keeps the dialog open.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void InitDialog();
    void TakePrinterState();
    void OnTestPage();
    void OnLast();
    void UpdateNewValues();
    // The four lengths; on the first field refused (with its message when
    // `report`, the field selected) nothing.
    std::optional<calibration::Measured> Measure(bool report);

    QLineEdit* fields_[4] = {};
    QLabel* newValues_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* testPage_ = nullptr;
    QPushButton* last_ = nullptr;
    PrinterState state_;
    bool initialized_ = false;
};
