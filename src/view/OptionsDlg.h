// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Options dialog (IDD_OPTIONS): background shade, indent of the names, page margins and the
// two print scales. The view fills the members, runs the dialog and reads
// the members back after OK; the fields are read only when OK is pressed,
// and the members change only when every field was accepted.

#include <QDialog>
#include <cstdint>

class QCheckBox;
class QLineEdit;
class QPushButton;
class ShadeComboBox;

class COptionsDlg : public QDialog {
    Q_OBJECT
public:
    // Without a parent the main window owns the dialog.
    explicit COptionsDlg(QWidget* parent = nullptr);

    std::int32_t shadeChoice = -1; // 0..3, or -1 for no selection
    float textOffsetMm = 0;
    float leftMarginCm = 0;
    float topMarginCm = 0;
    std::int16_t zoomXPercent = 0;
    std::int16_t zoomYPercent = 0;
    bool fitLongNames = false; // IDC_FIT_LONG_NAMES

    ShadeComboBox* ShadeList() const { return shade_; }
    // The edit field of a control id (IDC_TEXT_OFFSET ... IDC_ZOOM_Y), or null.
    QLineEdit* Edit(int id) const;
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }
    QCheckBox* FitLongNamesBox() const { return fitLongNames_; }

    // OK: reads the fields in order; the first refused one keeps the dialog open.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Fills the controls from the members; runs once, when the dialog is first shown.
    void InitDialog();
    // Reads every field; on the first refusal shows its message, puts the
    // focus on the field with the whole text selected and answers false.
    bool ReadValues();
    bool ReadDecimalField(QLineEdit* edit, int low, int high, float& value);
    bool ReadWholeField(QLineEdit* edit, int low, int high, std::int16_t& value);
    void Refuse(QLineEdit* edit, const QString& message);

    ShadeComboBox* shade_ = nullptr;
    QLineEdit* textOffset_ = nullptr;
    QLineEdit* leftMargin_ = nullptr;
    QLineEdit* topMargin_ = nullptr;
    QLineEdit* zoomX_ = nullptr;
    QLineEdit* zoomY_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QCheckBox* fitLongNames_ = nullptr;
    bool initialized_ = false;
};
