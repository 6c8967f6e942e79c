// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/printing/PrinterDevice.h"

#include "platform/ui/UiHost.h"
#include "resources/Resource.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>

namespace printerdevice {

void PrepareForPrinter(QPrinter& printer) {
    printer.setFullPage(false);
    // Margins at the device's minimum: the page rectangle is the printable
    // area, and its corner is what the printing offset reports.
    if (!printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter))
        printer.setPageMargins(printer.pageLayout().minimumMargins(), printer.pageLayout().units());
}

void PrepareForPdf(QPrinter& printer, const QString& path) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setResolution(1200);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFullPage(true);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    printer.setFromTo(0, 0);
    printer.setCopyCount(1);
}

bool IsCompletePdf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.read(5) != "%PDF-")
        return false;
    // The trailer: "startxref", the offset, "%%EOF" and an end of line.
    const qint64 size = file.size();
    const qint64 tailStart = std::max<qint64>(0, size - 256);
    if (!file.seek(tailStart))
        return false;
    const QByteArray tail = file.read(size - tailStart).trimmed();
    const qsizetype keyword = tail.lastIndexOf("startxref");
    if (!tail.endsWith("%%EOF") || keyword < 0)
        return false;
    const qsizetype number = keyword + qsizetype(sizeof "startxref" - 1);
    bool ok = false;
    const qint64 offset = tail.mid(number, tail.size() - 5 - number).trimmed().toLongLong(&ok);
    if (!ok || offset < 0 || offset > size - 4 || !file.seek(offset))
        return false;
    return file.read(4) == "xref";
}

DeviceContext::Attributes Attributes(const QPrinter& printer) {
    DeviceContext::Attributes a;
    a.dpiX = printer.logicalDpiX();
    a.dpiY = printer.logicalDpiY();
    a.isPrinter = true;
    const QPageLayout layout = printer.pageLayout();
    const int resolution = printer.resolution();
    // The painter's origin is the paint rectangle's corner (the paper's
    // corner for a full page).
    const QPoint corner =
        layout.paintRectPixels(resolution).topLeft() - layout.fullRectPixels(resolution).topLeft();
    a.hasPrintingOffset = true;
    a.printingOffset = {corner.x(), corner.y()};
    a.horzRes = layout.paintRectPixels(resolution).width();
    a.vertRes = layout.paintRectPixels(resolution).height();
    return a;
}

DeviceContext::Attributes PaperAttributes(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::NativeFormat && !printer.printerName().isEmpty())
        return Attributes(printer);
    return PdfAttributes();
}

DeviceContext::Attributes PdfAttributes() {
    DeviceContext::Attributes a;
    a.dpiX = a.dpiY = 1200;
    a.isPrinter = true;
    a.hasPrintingOffset = true;
    return a;
}

QString DisplayName(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat || printer.printerName().isEmpty())
        return QStringLiteral("PDF");
    return printer.printerName();
}

QString DestinationLine(const QPrinter& printer) {
    if (!printer.outputFileName().isEmpty())
        return FormatString(IDS_PRINTTOFILE, {printer.outputFileName()});
    if (printer.printerName().isEmpty())
        return QString();
    const QString location = QPrinterInfo::printerInfo(printer.printerName()).location();
    return location.isEmpty() ? QString() : FormatString(IDS_PRINTONPORT, {location});
}

} // namespace printerdevice
