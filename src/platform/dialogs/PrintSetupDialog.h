// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The print setup dialog (ID_FILE_PRINT_SETUP): the printer and the paper (size and orientation)
// for the jobs that follow. Nothing is printed.

#include <QDialog>

class QComboBox;
class QPrinter;
class QRadioButton;

class PrintSetupDialog : public QDialog {
    Q_OBJECT
public:
    explicit PrintSetupDialog(QPrinter& printer, QWidget* parent = nullptr);

    QComboBox* PaperBox() const { return papers_; }
    QRadioButton* LandscapeButton() const { return landscape_; }
    // Gives the printer the choices; called on OK.
    void Apply();

private:
    void FillPapers();

    QPrinter& printer_;
    QComboBox* printers_;
    QComboBox* papers_;
    QRadioButton* portrait_;
    QRadioButton* landscape_;
};
