// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The About box (IDS_ABOUT_TITLE): icon, program line, version, copyright, OK.

#include <QDialog>

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
