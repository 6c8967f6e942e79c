// SPDX-License-Identifier: GPL-3.0-or-later
// The dialogs' texts fit their controls in the fonts a Linux desktop has:
// no label, button, check box or radio button cuts its text or runs into
// the control beside it.

#include "app/AboutDlg.h"
#include "device/PortsDialog.h"
#include "device/ReceiveDlg.h"
#include "platform/dialogs/PrintSetupDialog.h"
#include "platform/printing/PrintingBox.h"
#include "view/CalibrationDialog.h"
#include "view/OptionsDlg.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <gtest/gtest.h>

namespace {

// Where the control draws its text, and the text's extent there.
struct TextPlace {
    QString text;
    QRect room;
    QRect extent;
};

std::optional<TextPlace> PlaceOf(QWidget& w) {
    const QFontMetrics fm = w.fontMetrics();
    if (auto* label = qobject_cast<QLabel*>(&w)) {
        if (label->text().isEmpty())
            return std::nullopt;
        // A label with a buddy shows its mnemonic underlined.
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0) |
                          (label->buddy() ? Qt::TextShowMnemonic : 0);
        const QRect room = label->contentsRect();
        return TextPlace{label->text(), room, fm.boundingRect(room, flags, label->text())};
    }
    auto* button = qobject_cast<QAbstractButton*>(&w);
    if (!button || button->text().isEmpty())
        return std::nullopt;
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    QStyle::SubElement element = QStyle::SE_PushButtonContents;
    if (qobject_cast<QCheckBox*>(button))
        element = QStyle::SE_CheckBoxContents;
    else if (qobject_cast<QRadioButton*>(button))
        element = QStyle::SE_RadioButtonContents;
    else if (auto* push = qobject_cast<QPushButton*>(button); push && push->autoDefault())
        option.features |= QStyleOptionButton::AutoDefaultButton;
    const QRect room = w.style()->subElementRect(element, &option, &w);
    const QSize size = fm.size(Qt::TextShowMnemonic, button->text());
    // Buttons centre their text, check and radio buttons start it at the left.
    QRect text(room.topLeft(), size);
    if (element == QStyle::SE_PushButtonContents)
        text.moveCenter(room.center());
    else
        text.moveTop(room.top() + (room.height() - size.height()) / 2);
    return TextPlace{button->text(), room, text};
}

// Every text within its control, and at least a blank's width away from
// every other control of the dialog (group boxes frame them and do not count).
void ExpectTextsFit(QWidget& dialog, const char* name) {
    dialog.ensurePolished();
    const auto controls = dialog.findChildren<QWidget*>();
    int texts = 0;
    for (QWidget* w : controls) {
        const std::optional<TextPlace> place = PlaceOf(*w);
        if (!place || !w->isVisibleTo(&dialog))
            continue;
        ++texts;
        const std::string what = std::string(name) + ": \"" + place->text.toStdString() + '"';
        EXPECT_TRUE(place->room.contains(place->extent))
            << what << " needs " << place->extent.width() << "x" << place->extent.height()
            << ", has " << place->room.width() << "x" << place->room.height();
        const int blank = w->fontMetrics().horizontalAdvance(QLatin1Char(' '));
        const QRect reach(w->mapTo(&dialog, place->extent.topLeft()) - QPoint(blank, 0),
                          place->extent.size() + QSize(2 * blank, 0));
        for (QWidget* other : controls) {
            if (other == w || !other->isVisibleTo(&dialog) || qobject_cast<QGroupBox*>(other) ||
                other->isAncestorOf(w) || w->isAncestorOf(other))
                continue;
            const QRect body(other->mapTo(&dialog, QPoint(0, 0)), other->size());
            EXPECT_FALSE(reach.intersects(body))
                << what << " runs into " << other->metaObject()->className();
        }
    }
    EXPECT_GT(texts, 0) << name;
}

} // namespace

TEST(DialogText, EveryTextFitsItsControl) {
    QWidget owner;
    // The dialogs laid out in dialog units.
    COptionsDlg options(&owner);
    ASSERT_NE(options.FitLongNamesBox(), nullptr); // the check box below the last row
    ExpectTextsFit(options, "Optionen");
    CReceiveDlg receive(&owner);
    ExpectTextsFit(receive, "Empfang");
    // With a long device path set for a port, whose line must stay in its room.
    qputenv("QUINTARA_COM2", "/dev/serial/by-id/usb-Prolific_Technology_Inc._USB-Serial_"
                             "Controller_D-if00-port0");
    PortsDialog ports(&owner);
    qunsetenv("QUINTARA_COM2");
    ExpectTextsFit(ports, "Anschlüsse");
    CAboutDlg about(&owner);
    ExpectTextsFit(about, "Info");
    CalibrationDialog calibration(&owner);
    calibration.show(); // the line of new values is filled when shown
    ExpectTextsFit(calibration, "Drucker kalibrieren");

    // The dialogs that lay themselves out, once shown.
    QPrinter printer;
    PrintSetupDialog setup(printer, &owner);
    setup.show();
    ExpectTextsFit(setup, "Druckereinrichtung");
    PrintingBox printing(QStringLiteral("Unbenannt"), QStringLiteral("PDF"),
                         QStringLiteral("in /tmp/x.pdf"), &owner);
    printing.show();
    ExpectTextsFit(printing, "Drucken");
}
