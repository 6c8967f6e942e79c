#include "app/BatchPrinter.h"

#include "app/NamenApp.h"
#include "platform/PrinterDevice.h"
#include "platform/UiHost.h"
#include "resources/Resource.h"
#include "view/V7NamenView.h"

#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <cstdio>

namespace {

bool UsePrinter(QPrinter& printer, const QString& name) {
    printer.setOutputFileName(QString());
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setPrinterName(name);
    printerdevice::PrepareForPrinter(printer);
    return true;
}

bool CanWrite(const QString& path) {
    const QFileInfo file(path);
    if (file.exists())
        return file.isFile() && file.isWritable();
    const QFileInfo folder(file.absolutePath());
    return folder.isDir() && folder.isWritable();
}

void BatchMessage(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "Quintara: %s\n", qUtf8Printable(text));
        std::fflush(stderr);
    }
}

} // namespace

void BatchPrinter::QuietQtMessages() {
    qInstallMessageHandler(BatchMessage);
}

bool BatchPrinter::PreparePrinter(QPrinter& printer) const {
    using A = CommandLineInfo::Action;
    switch (commandLine_.action) {
    case A::Print: {
        const QString name = QPrinterInfo::defaultPrinterName();
        if (name.isEmpty()) {
            AppMessageBoxId(IDS_NO_DEFAULT_PRINTER);
            return false;
        }
        return UsePrinter(printer, name);
    }
    case A::PrintTo:
        if (QPrinterInfo::printerInfo(commandLine_.printer).isNull()) {
            AppMessageBox(FormatString1(IDS_PRINTER_NOT_FOUND, commandLine_.printer));
            return false;
        }
        return UsePrinter(printer, commandLine_.printer);
    case A::PrintToPdf:
        if (commandLine_.pdfOut.isEmpty() || !CanWrite(commandLine_.pdfOut)) {
            AppMessageBox(FormatString1(IDS_PDF_NOT_WRITABLE, commandLine_.pdfOut));
            return false;
        }
        printerdevice::PrepareForPdf(printer, commandLine_.pdfOut);
        return true;
    default:
        return false;
    }
}

bool BatchPrinter::Run(CNamenApp& app) const {
    if (!PreparePrinter(app.Printer()))
        return false;
    return app.GetView()->DoPrint(true) == PrintJob::Result::Printed;
}
