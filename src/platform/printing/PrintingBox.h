// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The box shown while a job is sent to the printer: IDS_PRINTING, the
// document's title, IDS_PRINTING_ON, the printer, where the job goes, the page, and
// a button that cancels the job. It keeps the rest of the program from
// input while it is up.

#include <QDialog>

class QLabel;

class PrintingBox : public QDialog {
    Q_OBJECT
public:
    PrintingBox(const QString& title, const QString& printer, const QString& destination,
                QWidget* parent = nullptr);

    void SetPage(int page);
    // Lets the box paint itself and see a click on its button.
    void Pump();
    bool Cancelled() const { return cancelled_; }

protected:
    void reject() override;

private:
    QLabel* page_ = nullptr;
    bool cancelled_ = false;
};
