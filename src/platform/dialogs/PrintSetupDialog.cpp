// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dialogs/PrintSetupDialog.h"

#include "platform/ui/StringTable.h"
#include "resources/Resource.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

PrintSetupDialog::PrintSetupDialog(QPrinter& printer, QWidget* parent)
    : QDialog(parent), printer_(printer), printers_(new QComboBox(this)),
      papers_(new QComboBox(this)),
      portrait_(new QRadioButton(LoadStr(IDS_PRINTSETUP_PORTRAIT), this)),
      landscape_(new QRadioButton(LoadStr(IDS_PRINTSETUP_LANDSCAPE), this)) {
    setWindowTitle(LoadStr(IDS_PRINTSETUP_TITLE));

    const QStringList names = QPrinterInfo::availablePrinterNames();
    for (const QString& name : names)
        printers_->addItem(name, name);
    if (names.isEmpty()) {
        // Jobs then go to a file chosen in the print dialog; the paper still counts.
        printers_->addItem(LoadStr(IDS_PRINTSETUP_NO_PRINTER), QString());
        printers_->setEnabled(false);
    } else {
        QString current = printer.outputFormat() == QPrinter::NativeFormat
                              ? printer.printerName()
                              : QPrinterInfo::defaultPrinterName();
        const int index = printers_->findData(current);
        printers_->setCurrentIndex(index >= 0 ? index : 0);
    }

    auto* printerGroup = new QGroupBox(LoadStr(IDS_PRINTSETUP_PRINTER), this);
    auto* printerForm = new QFormLayout(printerGroup);
    printerForm->addRow(LoadStr(IDS_PRINTSETUP_NAME), printers_);

    auto* paperGroup = new QGroupBox(LoadStr(IDS_PRINTSETUP_PAPER), this);
    auto* paperForm = new QFormLayout(paperGroup);
    paperForm->addRow(LoadStr(IDS_PRINTSETUP_SIZE), papers_);
    auto* orientation = new QVBoxLayout;
    orientation->addWidget(portrait_);
    orientation->addWidget(landscape_);
    paperForm->addRow(LoadStr(IDS_PRINTSETUP_ORIENTATION), orientation);
    (printer.pageLayout().orientation() == QPageLayout::Landscape ? landscape_ : portrait_)
        ->setChecked(true);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(LoadStr(IDS_BUTTON_OK), QDialogButtonBox::AcceptRole);
    buttons->addButton(LoadStr(IDS_BUTTON_CANCEL), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(printerGroup);
    layout->addWidget(paperGroup);
    layout->addWidget(buttons);

    FillPapers();
    connect(printers_, &QComboBox::currentIndexChanged, this, [this] { FillPapers(); });
}

void PrintSetupDialog::FillPapers() {
    const QPageSize current = papers_->count() > 0 ? papers_->currentData().value<QPageSize>()
                                                   : printer_.pageLayout().pageSize();
    papers_->clear();
    QList<QPageSize> sizes;
    const QString name = printers_->currentData().toString();
    if (!name.isEmpty())
        sizes = QPrinterInfo::printerInfo(name).supportedPageSizes();
    if (sizes.isEmpty()) {
        for (QPageSize::PageSizeId id : {QPageSize::A4, QPageSize::A5, QPageSize::A3, QPageSize::B5,
                                         QPageSize::Letter, QPageSize::Legal, QPageSize::Executive})
            sizes.append(QPageSize(id));
    }
    int select = 0;
    for (const QPageSize& size : sizes) {
        if (size.isEquivalentTo(current))
            select = papers_->count();
        papers_->addItem(size.name(), QVariant::fromValue(size));
    }
    papers_->setCurrentIndex(select);
}

void PrintSetupDialog::Apply() {
    const QString name = printers_->currentData().toString();
    if (!name.isEmpty()) {
        printer_.setOutputFileName(QString());
        printer_.setOutputFormat(QPrinter::NativeFormat);
        printer_.setPrinterName(name);
    }
    const QPageSize size = papers_->currentData().value<QPageSize>();
    if (size.isValid())
        printer_.setPageSize(size);
    printer_.setPageOrientation(landscape_->isChecked() ? QPageLayout::Landscape
                                                        : QPageLayout::Portrait);
}
