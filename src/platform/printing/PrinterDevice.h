// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a QPrinter is set up for the strip and what a drawing context learns
// from it: resolution and printing offset (where the painter's origin lies,
// measured from the paper's corner).

#include "platform/draw/DeviceContext.h"

#include <QString>

class QPrinter;

namespace printerdevice {

// A printer page: the painter's origin at the corner of the printable area,
// which the printing offset then reports.
void PrepareForPrinter(QPrinter& printer);
// A PDF file: one A4 page at 1200 dots per inch, origin at the paper's
// corner (offset 0, 0).
void PrepareForPdf(QPrinter& printer, const QString& path);

// Whether the file holds a whole PDF as the PDF printer writes it: it starts
// with "%PDF-", ends with "%%EOF", and the offset of the cross-reference
// table given at its end points at that table. Qt's PDF engine does not
// report failed writes; a lost piece moves the table away from its offset,
// and a cut file lacks the end.
bool IsCompletePdf(const QString& path);

// Resolution and printing offset of the printer, for the contexts of a job
// and of the print preview.
DeviceContext::Attributes Attributes(const QPrinter& printer);
// The paper a job on printer would print on: Attributes for a printer of
// the printing system, the PDF geometry of PrepareForPdf (1200 dots per
// inch, offset 0, 0) for anything else.
DeviceContext::Attributes PaperAttributes(const QPrinter& printer);
DeviceContext::Attributes PdfAttributes();

// The name shown for the printer ("PDF" when the job goes to a PDF file).
QString DisplayName(const QPrinter& printer);
// Where the job goes, as the printing box shows it: "auf <location>" for a
// printer that reports one, "in <file>" when printing to a file, else empty.
QString DestinationLine(const QPrinter& printer);

} // namespace printerdevice
