// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/batch/BatchPrinter.h"

#include "app/NamenApp.h"
#include "document/V7NamenDoc.h"
#include "platform/files/SafeFileSave.h"
#include "platform/printing/PrinterDevice.h"
#include "platform/ui/UiHost.h"
#include "resources/Resource.h"
#include "view/V7NamenView.h"

#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool UsePrinter(QPrinter& printer, const QString& name) {
    printer.setOutputFileName(QString());
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setPrinterName(name);
    printerdevice::PrepareForPrinter(printer);
    return true;
}

// An existing regular file that starts as a PDF, or is empty (it holds
// nothing to lose, as a name made by mktemp). Opened without waiting, in
// case it has become a pipe or device since it was looked at.
bool IsPdfOrEmpty(const QByteArray& path) {
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat st {};
    char start[5] = {};
    const bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
                    (st.st_size == 0 || (::read(fd, start, sizeof start) == sizeof start &&
                                         QByteArray(start, sizeof start) == "%PDF-"));
    ::close(fd);
    return ok;
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
            AppMessageBox(FormatString(IDS_PRINTER_NOT_FOUND, {commandLine_.printer}));
            return false;
        }
        return UsePrinter(printer, commandLine_.printer);
    default:
        return false;
    }
}

bool BatchPrinter::MayWritePdf() const {
    const QString& out = commandLine_.pdfOut;
    const QByteArray native = QFile::encodeName(out);
    struct stat target {};
    if (out.isEmpty()) {
        AppMessageBox(FormatString(IDS_PDF_NOT_WRITABLE, {out}));
        return false;
    }
    if (::stat(native.constData(), &target) != 0)
        return true; // a new file: whether the folder takes it shows when it is made
    // A strip being printed, under its own name, a link or another name.
    QStringList inputs = commandLine_.sheetFiles;
    if (!commandLine_.file.isEmpty())
        inputs.append(commandLine_.file);
    for (const QString& file : inputs) {
        struct stat input {};
        if (::stat(QFile::encodeName(file).constData(), &input) == 0 &&
            input.st_dev == target.st_dev && input.st_ino == target.st_ino) {
            AppMessageBox(FormatString(IDS_PDF_IS_INPUT, {out}));
            return false;
        }
    }
    if (S_ISDIR(target.st_mode)) {
        AppMessageBox(FormatString(IDS_PDF_NOT_WRITABLE, {out}));
        return false;
    }
    if (!S_ISREG(target.st_mode) || !IsPdfOrEmpty(native)) {
        AppMessageBox(FormatString(IDS_PDF_NOT_A_PDF, {out}));
        return false;
    }
    return true;
}

bool BatchPrinter::PrintToPdf(CNamenApp& app) const {
    if (!MayWritePdf())
        return false;
    // A file size limit then fails a write instead of ending the program
    // with the temporary file left behind.
    std::signal(SIGXFSZ, SIG_IGN);
    const auto notWritable = [this] {
        AppMessageBox(FormatString(IDS_PDF_NOT_WRITABLE, {commandLine_.pdfOut}));
        return false;
    };
    SafeFileSave file(commandLine_.pdfOut, SafeFileSave::Writer::ByName);
    if (!file.Open())
        return notWritable();
    printerdevice::PrepareForPdf(app.Printer(), file.TempPath());
    bool allRead = true;
    if (Print(app, allRead) != PrintJob::Result::Printed)
        return false;
    if (!printerdevice::IsCompletePdf(file.TempPath()) || !file.Commit())
        return notWritable();
    return allRead;
}

PrintJob::Result BatchPrinter::Print(CNamenApp& app, bool& allRead) const {
    if (!commandLine_.sheetFiles.isEmpty())
        return app.PrintSheet(commandLine_.sheetFiles, std::nullopt, true, allRead);
    CV7NamenView& view = *app.GetView();
    if (commandLine_.calibrationPage)
        return view.PrintTestPage(app.Printer(), true);
    WarnUnfitNames(app);
    return view.DoPrint(true);
}

void BatchPrinter::WarnUnfitNames(CNamenApp& app) {
    CV7NamenView* view = app.GetView();
    const std::vector<UnfitName> unfit =
        view->UnfitNames(printerdevice::PaperAttributes(app.Printer()));
    if (!unfit.empty())
        AppMessageBox(FormatString(IDS_UNFIT_WARNING, {namefit::ListText(unfit)}));
}

bool BatchPrinter::Run(CNamenApp& app) const {
    if (!commandLine_.importCsv.isEmpty()) {
        QString warning;
        if (!app.GetDocument()->ImportNames(commandLine_.importCsv, nullptr, &warning))
            return false;
        // Cells the strip does not take are worth a word, not a failed run.
        if (!warning.isEmpty())
            AppMessageBox(warning);
    }
    if (commandLine_.action == CommandLineInfo::Action::PrintToPdf)
        return PrintToPdf(app);
    if (!PreparePrinter(app.Printer()))
        return false;
    bool allRead = true;
    return Print(app, allRead) == PrintJob::Result::Printed && allRead;
}
