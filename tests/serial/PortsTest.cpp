// SPDX-License-Identifier: GPL-3.0-or-later
// Which device is COM 1 to COM 4: the Anschlüsse dialog over a fixed list
// of devices, the environment's precedence and the first-use rule.

#include "SerialTestSupport.h"
#include "device/PortAssignment.h"
#include "device/PortsDialog.h"
#include "platform/files/Profile.h"
#include "platform/serial/PortListerModule.h"
#include "platform/serial/SerialDevice.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>

namespace {

const char* const kStable = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0";

SerialPortEntry Device(const char* location, const char* description, std::uint16_t vendor,
                       bool accessible = true) {
    SerialPortEntry e;
    e.location = location;
    e.description = QString::fromUtf8(description);
    e.vendorId = vendor;
    e.productId = 0x6001;
    e.accessible = accessible;
    return e;
}

QStringList Items(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

QString Stored(int n) {
    return Profile().GetString(QStringLiteral("Ports"), QStringLiteral("COM%1").arg(n));
}

} // namespace

TEST_F(SerialTest, PortsDialogOffersTheDevicesKeepsTheChoiceAndFirstUseTakesOnlyALoneAdapter) {
    QTemporaryDir dir;
    qputenv("QUINTARA_PROFILE", dir.filePath(QStringLiteral("quintara.ini")).toLocal8Bit());
    FixedPortLister lister;
    SerialPortEntry ftdi = Device("/dev/ttyUSB0", "FT232R USB UART", 0x0403);
    ftdi.stableName = kStable;
    lister.entries = {ftdi, Device("/dev/ttyACM0", "USB-Serial Controller", 0x067b),
                      Device("/dev/ttyUSB1", "CP2102 USB to UART", 0x10c4, false)};
    for (int n = 1; n <= 3; ++n)
        UnsetCom(n);
    {
        Profile profile;
        profile.SetString(QStringLiteral("Ports"), QStringLiteral("COM3"), "/dev/ttyUSB0");
        profile.Sync();
    }

    PortsDialog dialog;
    EXPECT_EQ(Items(dialog.Choice(1)),
              QStringList({"Standard (/dev/ttyS0)", QString("FT232R USB UART (") + kStable + ")",
                           "USB-Serial Controller (/dev/ttyACM0)",
                           "CP2102 USB to UART (/dev/ttyUSB1) (keine Berechtigung)", "Andere..."}));
    EXPECT_EQ(dialog.Choice(2)->currentIndex(), 0);
    // The node the profile names is the device listed under its stable name.
    EXPECT_EQ(dialog.Choice(3)->currentIndex(), 1);
    for (int n = 1; n <= 3; ++n)
        EXPECT_TRUE(dialog.EnvironmentNote(n)->isHidden());
    EXPECT_FALSE(dialog.EnvironmentNote(4)->isHidden());
    EXPECT_EQ(dialog.EnvironmentNote(4)->toolTip(),
              QString("Solange QUINTARA_COM4 gesetzt ist, gilt stattdessen ") + Missing(4).c_str() +
                  ".");

    // A device this user may not open explains why when chosen.
    dialog.OnChoose(2, 3);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].text.startsWith("Keine Berechtigung für /dev/ttyUSB1.\n"));

    // A device plugged in while the dialog is open appears; choices stay.
    lister.entries.push_back(Device("/dev/ttyUSB2", "Neu", 0x1a86));
    dialog.show();
    EXPECT_TRUE(PumpUntil([&] { return dialog.Choice(1)->count() == 6; }, 2000));
    EXPECT_EQ(dialog.Choice(2)->currentText(),
              "CP2102 USB to UART (/dev/ttyUSB1) (keine Berechtigung)");

    // "Andere..." needs a full path before OK takes it.
    dialog.OnChoose(1, 2);
    dialog.OnChoose(3, dialog.OtherIndex(3));
    dialog.PathEdit(3)->setText("pts/7");
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(ui.messages.back().text.startsWith("Geben Sie bitte den vollständigen Pfad"));
    dialog.PathEdit(3)->setText(" /dev/pts/7 ");
    dialog.OnChoose(4, 1);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(Stored(1), "/dev/ttyACM0");
    EXPECT_EQ(Stored(2), "/dev/ttyUSB1");
    EXPECT_EQ(Stored(3), "/dev/pts/7");
    EXPECT_EQ(Stored(4), kStable);
    EXPECT_EQ(ports::DeviceName(1), "/dev/ttyACM0");
    EXPECT_EQ(ports::DeviceName(4), Missing(4)) << "the environment wins over the profile";

    // First use: nothing set anywhere and no standard port opens.
    UnsetCom(4);
    ASSERT_TRUE(ports::StoreChoices({}));
    const auto noneOpens = [](const std::string&) { return false; };
    lister.entries = {ftdi, Device("/dev/ttyUSB1", "CP2102 USB to UART", 0x10c4)};
    EXPECT_EQ(ports::ApplyFirstUse(lister, noneOpens).what, ports::FirstUse::Ask);
    EXPECT_EQ(Stored(1), "") << "two adapters: the user chooses";
    lister.entries.pop_back();
    EXPECT_EQ(ports::ApplyFirstUse(lister, [](const std::string&) { return true; }).what,
              ports::FirstUse::Nothing);
    EXPECT_EQ(Stored(1), "") << "a standard port that opens is used as it is";
    const ports::FirstUseOutcome first = ports::ApplyFirstUse(lister, noneOpens);
    EXPECT_EQ(first.what, ports::FirstUse::Assigned);
    EXPECT_EQ(first.statusText, "COM 1 ist jetzt FT232R USB UART.");
    EXPECT_EQ(Stored(1), kStable);
    EXPECT_EQ(ports::ApplyFirstUse(lister, noneOpens).what, ports::FirstUse::Nothing)
        << "only the first time";
}

TEST_F(SerialTest, PortsDialogOffersEachDeviceOnceAndMarksTheStandardItMayNotOpen) {
    QTemporaryDir dir;
    qputenv("QUINTARA_PROFILE", dir.filePath(QStringLiteral("quintara.ini")).toLocal8Bit());
    for (int n = 1; n <= 4; ++n)
        UnsetCom(n);
    // A node the system lists under two names.
    const QString node = dir.filePath(QStringLiteral("ttyUSB0"));
    const QString link = dir.filePath(QStringLiteral("ttyUSB0-link"));
    ASSERT_TRUE(QFile(node).open(QIODevice::WriteOnly));
    ASSERT_TRUE(QFile::link(node, link));
    FixedPortLister lister;
    lister.entries = {Device("/dev/ttyS0", "ttyS0", 0, false), Device("/dev/ttyS1", "ttyS1", 0),
                      Device(qPrintable(node), "Adapter", 0x0403),
                      Device(qPrintable(link), "Adapter", 0x0403)};
    PortsDialog dialog;
    const QString adapter = "Adapter (" + node + ")";
    EXPECT_EQ(Items(dialog.Choice(1)), QStringList({"Standard (/dev/ttyS0) (keine Berechtigung)",
                                                    "ttyS1 (/dev/ttyS1)", adapter, "Andere..."}));
    EXPECT_EQ(Items(dialog.Choice(2)),
              QStringList({"Standard (/dev/ttyS1)", "ttyS0 (/dev/ttyS0) (keine Berechtigung)",
                           adapter, "Andere..."}));
    // Choosing the standard it may not open says why, as any other entry does.
    dialog.OnChoose(1, 0);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].text.startsWith("Keine Berechtigung für /dev/ttyS0.\n"));
}

TEST_F(SerialTest, TheListingModuleIsFoundInTheBuildTreeAndTheInstallationAndIsNotNeeded) {
    QTemporaryDir dir;
    qputenv("QUINTARA_PROFILE", dir.filePath(QStringLiteral("quintara.ini")).toLocal8Bit());
    const QString built = QStringLiteral(QUINTARA_BINARY_DIR "/") + kPortListerModule;
    ASSERT_TRUE(QFileInfo::exists(built));

    // Only a file that is the module counts.
    const QString impostor = dir.filePath(kPortListerModule);
    {
        QFile file(impostor);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("\x7f"
                   "ELF, but not really");
    }
    EXPECT_EQ(LoadPortLister({dir.filePath("missing.so"), impostor}), nullptr);

    // Beside the executable, and where the install rule puts it relative to
    // the installed executable.
    const std::unique_ptr<PortLister> beside =
        LoadPortLister(PortListerModulePaths(QStringLiteral(QUINTARA_BINARY_DIR)));
    ASSERT_NE(beside, nullptr);
    const std::vector<SerialPortEntry> listed = beside->List();
    EXPECT_TRUE(std::is_sorted(listed.begin(), listed.end(), [](const auto& a, const auto& b) {
        return a.location < b.location;
    }));
    const QDir prefix(dir.filePath(QStringLiteral("prefix")));
    ASSERT_TRUE(prefix.mkpath(QStringLiteral(QUINTARA_INSTALL_BINDIR)));
    ASSERT_TRUE(prefix.mkpath(QStringLiteral(QUINTARA_INSTALL_LIBDIR "/quintara/modules")));
    ASSERT_TRUE(QFile::link(
        built, prefix.filePath(QStringLiteral(QUINTARA_INSTALL_LIBDIR "/quintara/modules/") +
                               kPortListerModule)));
    EXPECT_NE(LoadPortLister(
                  PortListerModulePaths(prefix.filePath(QStringLiteral(QUINTARA_INSTALL_BINDIR)))),
              nullptr);

    // This test program has no module beside it: nothing is listed, and the
    // dialog still offers the standard port and a typed path.
    SetPortLister(nullptr);
    EXPECT_TRUE(GetPortLister().List().empty());
    UnsetCom(1);
    PortsDialog dialog;
    EXPECT_EQ(Items(dialog.Choice(1)), QStringList({"Standard (/dev/ttyS0)", "Andere..."}));
}
