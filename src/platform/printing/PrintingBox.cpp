// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/printing/PrintingBox.h"

#include "platform/ui/FormatText.h"
#include "platform/ui/StringTable.h"
#include "resources/Resource.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

PrintingBox::PrintingBox(const QString& title, const QString& printer, const QString& destination,
                         QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("PrintingBox"));
    setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(this);
    auto addLine = [&](const QString& text) {
        auto* label = new QLabel(text, this);
        label->setAlignment(Qt::AlignCenter);
        label->setTextFormat(Qt::PlainText);
        layout->addWidget(label);
    };
    addLine(LoadStr(IDS_PRINTING));
    addLine(title);
    addLine(LoadStr(IDS_PRINTING_ON));
    addLine(printer);
    if (!destination.isEmpty())
        addLine(destination);
    page_ = new QLabel(this);
    page_->setAlignment(Qt::AlignCenter);
    layout->addWidget(page_);
    auto* cancel = new QPushButton(LoadStr(IDS_BUTTON_CANCEL), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    connect(cancel, &QPushButton::clicked, this, &PrintingBox::reject);
    layout->addWidget(cancel, 0, Qt::AlignHCenter);
    SetPage(1);
}

void PrintingBox::SetPage(int page) {
    page_->setText(FormatString(IDS_PRINTPAGENUM, {unsigned(page)}));
}

void PrintingBox::Pump() {
    if (!isVisible())
        show();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

void PrintingBox::reject() {
    // The box stays up until the job has ended; the job reads the flag.
    cancelled_ = true;
}
