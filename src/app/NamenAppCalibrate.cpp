// The printer calibration command of the application, which holds the
// printer and the profile: the last calibration of each printer is kept in
// the profile's section [Calibration] under the printer's name.

#include "app/MainFrame.h"
#include "app/NamenApp.h"
#include "document/V7NamenDoc.h"
#include "platform/dialogs/WindowHost.h"
#include "platform/draw/DeviceContext.h"
#include "platform/printing/PrinterDevice.h"
#include "platform/ui/UiHost.h"
#include "resources/Resource.h"
#include "view/CalibrationDialog.h"
#include "view/V7NamenView.h"

#include <QPrinter>

namespace {

const QString kSection = QStringLiteral("Calibration");

// A slash or backslash would make a group of the profile's key.
QString ProfileKey(const QPrinter& printer) {
    QString key = printerdevice::DisplayName(printer);
    key.replace(QLatin1Char('/'), QLatin1Char('_'));
    key.replace(QLatin1Char('\\'), QLatin1Char('_'));
    return key;
}

} // namespace

void CNamenApp::OnCalibrate() {
    CV7NamenDoc* doc = GetDocument();
    CV7NamenView* view = GetView();
    if (!doc || !view || !doc->Settings())
        return;
    QPrinter& printer = Printer();
    CalibrationDialog dialog(MainFrame());
    dialog.now = doc->Settings()->Values();
    dialog.printerState = [this, view, &printer] {
        CalibrationDialog::PrinterState state;
        const DeviceContext info(printerdevice::Attributes(printer));
        state.barBMillimetres = view->TestBarBMillimetres(info);
        state.last =
            calibration::FromProfileText(GetProfile().GetString(kSection, ProfileKey(printer)));
        return state;
    };
    dialog.printTestPage = [view] {
        return view->PrintTestPage(false) == PrintJob::Result::Printed;
    };
    if (GetWindowHost().RunModal(dialog) != QDialog::Accepted)
        return;
    doc->ApplySettings(calibration::Applied(dialog.now, dialog.values), IDS_STEP_CALIBRATE);
    if (!dialog.tookLast) {
        GetProfile().SetString(kSection, ProfileKey(printer),
                               calibration::ToProfileText(dialog.values));
        GetProfile().Sync();
    }
}
