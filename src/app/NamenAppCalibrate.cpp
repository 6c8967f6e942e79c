// SPDX-License-Identifier: GPL-3.0-or-later
// The printer calibration command of the application, which holds the
// printers and the profile: each printer's correction is kept in the
// profile's section [PrinterCorrection] under the printer's name and taken
// out of every job printed on it. (The section [Calibration] of the
// version that changed the strip's margins instead is not read.)

#include "app/MainFrame.h"
#include "app/NamenApp.h"
#include "document/Calibration.h"
#include "document/V7NamenDoc.h"
#include "platform/dialogs/WindowHost.h"
#include "platform/draw/DeviceContext.h"
#include "platform/printing/PrinterDevice.h"
#include "resources/Resource.h"
#include "view/CalibrationDialog.h"
#include "view/V7NamenView.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace {

const QString kSection = QStringLiteral("PrinterCorrection");

// A slash or backslash would make a group of the profile's key.
QString ProfileKey(const QString& printerName) {
    QString key = printerName;
    key.replace(QLatin1Char('/'), QLatin1Char('_'));
    key.replace(QLatin1Char('\\'), QLatin1Char('_'));
    return key;
}

// A printer of the printing system by name, set up as every job's printer.
std::unique_ptr<QPrinter> PrinterNamed(const QString& name) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPrinterName(name);
    printerdevice::PrepareForPrinter(*printer);
    return printer;
}

} // namespace

std::optional<PaperCorrection> CNamenApp::StoredCorrection(const QString& printerName) {
    return calibration::FromProfileText(GetProfile().GetString(kSection, ProfileKey(printerName)));
}

PaperCorrection CNamenApp::CorrectionFor(const QPrinter& printer) {
    // A PDF keeps true size: only a printer of the printing system errs.
    if (printer.outputFormat() != QPrinter::NativeFormat || !printer.outputFileName().isEmpty())
        return {};
    return StoredCorrection(printer.printerName()).value_or(PaperCorrection{});
}

void CNamenApp::OnCalibrate() {
    CV7NamenDoc* doc = GetDocument();
    CV7NamenView* view = GetView();
    if (!doc || !view || !doc->Settings())
        return;
    CalibrationDialog dialog(MainFrame());
    dialog.now = doc->Settings()->Values();
    dialog.printers = QPrinterInfo::availablePrinterNames();
    dialog.defaultPrinter = QPrinterInfo::defaultPrinterName();
    dialog.printerState = [this, view](const QString& name) {
        CalibrationDialog::PrinterState state;
        const std::unique_ptr<QPrinter> printer = PrinterNamed(name);
        const DeviceContext info(printerdevice::Attributes(*printer));
        state.barBMillimetres = view->TestBarBMillimetres(info);
        state.correction = StoredCorrection(name);
        return state;
    };
    dialog.printTestPage = [view](const QString& name) -> std::optional<QString> {
        const std::unique_ptr<QPrinter> printer = PrinterNamed(name);
        if (view->PrintTestPage(*printer, false) != PrintJob::Result::Printed)
            return std::nullopt;
        return printer->printerName();
    };
    dialog.resetCorrection = [this](const QString& name) {
        GetProfile().Remove(kSection, ProfileKey(name));
        GetProfile().Sync();
        if (CV7NamenView* v = GetView())
            v->OnPrinterChanged();
    };
    if (GetWindowHost().RunModal(dialog) != QDialog::Accepted)
        return;
    // A fact about the printer: the strip and its file stay as they are.
    GetProfile().SetString(kSection, ProfileKey(dialog.printer),
                           calibration::ToProfileText(dialog.correction));
    GetProfile().Sync();
}
