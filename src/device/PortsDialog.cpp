// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/PortsDialog.h"

#include "platform/dialogs/WindowHost.h"
#include "platform/files/Profile.h"
#include "platform/serial/SerialDevice.h"
#include "platform/ui/DialogUnits.h"
#include "platform/ui/FormatText.h"
#include "platform/ui/StringTable.h"
#include "platform/ui/UiHost.h"
#include "resources/Resource.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

// Where an item of a drop-down points: the standard port, an entry of the
// list, or the typed path.
constexpr int kStandard = -1;
constexpr int kOther = -2;
constexpr int kEntryRole = Qt::UserRole;

void Place(QWidget* control, int x, int y, int width, int height) {
    control->setGeometry(dlu::ToPixels(x, y, width, height));
}

QString Decoded(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

QString Details(const SerialPortEntry& e) {
    const QString usb = e.vendorId ? QStringLiteral("%1:%2")
                                         .arg(*e.vendorId, 4, 16, QLatin1Char('0'))
                                         .arg(e.productId.value_or(0), 4, 16, QLatin1Char('0'))
                                   : QStringLiteral("-");
    return FormatString(IDS_PORTS_DETAILS,
                        {Decoded(e.location),
                         e.manufacturer.isEmpty() ? QStringLiteral("-") : e.manufacturer,
                         e.serialNumber.isEmpty() ? QStringLiteral("-") : e.serialNumber, usb});
}

} // namespace

PortsDialog::PortsDialog(QWidget* parent, PortLister* lister)
    : QDialog(parent ? parent : GetWindowHost().MainWindow()),
      lister_(lister ? *lister : GetPortLister()) {
    setWindowTitle(LoadStr(IDS_PORTS_TITLE));
    setFont(dlu::DialogFont());
    setFixedSize(dlu::ToPixelsX(280), dlu::ToPixelsY(170));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto* intro = new QLabel(LoadStr(IDS_PORTS_INTRO), this);
    intro->setWordWrap(true);
    intro->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Place(intro, 8, 6, 264, 16);

    entries_ = lister_.List();
    for (int n = 1; n <= ports::kCount; ++n) {
        const int y = 28 + 30 * (n - 1);
        Row& row = rows_[std::size_t(n - 1)];
        auto* label = new QLabel(FormatString(IDS_PORTS_LABEL, {n}), this);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        Place(label, 8, y + 3, 30, 8);
        row.choice = new QComboBox(this);
        row.choice->setObjectName(QStringLiteral("COM%1").arg(n));
        Place(row.choice, 40, y, 148, 14);
        label->setBuddy(row.choice);
        row.path = new QLineEdit(this);
        Place(row.path, 192, y, 80, 14);
        row.path->hide();
        row.note = new QLabel(this);
        row.note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        Place(row.note, 40, y + 16, 232, 8);
        row.note->hide();
        connect(row.choice, &QComboBox::activated, this,
                [this, n](int index) { OnChoose(n, index); });
        Fill(n, ports::ProfileDevice(n));
        ShowNote(n);
    }

    ok_ = new QPushButton(LoadStr(IDS_BUTTON_OK), this);
    Place(ok_, 166, 150, 50, 14);
    ok_->setDefault(true);
    cancel_ = new QPushButton(LoadStr(IDS_BUTTON_CANCEL), this);
    Place(cancel_, 222, 150, 50, 14);
    connect(ok_, &QPushButton::clicked, this, &PortsDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &PortsDialog::reject);

    poll_ = new QTimer(this);
    poll_->setInterval(kPollMs);
    connect(poll_, &QTimer::timeout, this, &PortsDialog::Refresh);
}

PortsDialog::~PortsDialog() = default;

void PortsDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    poll_->start();
}

void PortsDialog::hideEvent(QHideEvent* event) {
    poll_->stop();
    QDialog::hideEvent(event);
}

int PortsDialog::OtherIndex(int n) const {
    return Choice(n)->count() - 1;
}

int PortsDialog::StandardEntry(int n) const {
    const QString standard = Decoded(DefaultComDeviceName(n));
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (ports::SameDevice(entries_[i], standard))
            return int(i);
    }
    return -1;
}

void PortsDialog::Fill(int n, const QString& device) {
    QComboBox* box = Choice(n);
    box->clear();
    // The standard device, when it is listed, is offered once: as the
    // standard, with what the list knows of it.
    const int standardEntry = StandardEntry(n);
    const bool standardAccessible = standardEntry >= 0
                                        ? entries_[std::size_t(standardEntry)].accessible
                                        : ports::MayOpen(DefaultComDeviceName(n));
    box->addItem(ports::StandardText(n, standardAccessible), kStandard);
    if (standardEntry >= 0)
        box->setItemData(0, Details(entries_[std::size_t(standardEntry)]), Qt::ToolTipRole);
    int selected = 0;
    const QString standard = Decoded(DefaultComDeviceName(n));
    QStringList offered;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        // A node the system lists twice (under a second name) is one device.
        const QString node = QFileInfo(Decoded(entries_[i].location)).canonicalFilePath();
        if (int(i) == standardEntry || (!node.isEmpty() && offered.contains(node)))
            continue;
        offered << node;
        box->addItem(ports::ChoiceText(entries_[i]), int(i));
        box->setItemData(box->count() - 1, Details(entries_[i]), Qt::ToolTipRole);
        if (selected == 0 && device != standard && ports::SameDevice(entries_[i], device))
            selected = box->count() - 1;
    }
    box->addItem(LoadStr(IDS_PORTS_OTHER), kOther);
    // A device that is not listed (not plugged in now, or typed by hand)
    // stays the choice, shown as typed.
    const bool isStandard =
        device == standard ||
        (standardEntry >= 0 && ports::SameDevice(entries_[std::size_t(standardEntry)], device));
    if (selected == 0 && !device.isEmpty() && !isStandard) {
        selected = box->count() - 1;
        PathEdit(n)->setText(device);
    }
    box->setCurrentIndex(selected);
    PathEdit(n)->setVisible(selected == box->count() - 1);
}

QString PortsDialog::Chosen(int n) const {
    const QComboBox* box = Choice(n);
    const int entry = box->currentData(kEntryRole).toInt();
    if (entry == kStandard)
        return {};
    if (entry == kOther)
        return PathEdit(n)->text().trimmed();
    return Decoded(entries_[std::size_t(entry)].Device());
}

void PortsDialog::ShowNote(int n) {
    const std::string env = ports::EnvironmentDevice(n);
    QLabel* note = EnvironmentNote(n);
    note->setVisible(!env.empty());
    if (env.empty())
        return;
    const QString text = FormatString(IDS_PORTS_ENVIRONMENT, {n, Decoded(env)});
    const int room = dlu::ToPixelsX(232);
    note->setText(note->fontMetrics().elidedText(text, Qt::ElideMiddle, room));
    note->setToolTip(text);
}

void PortsDialog::OnChoose(int n, int index) {
    QComboBox* box = Choice(n);
    box->setCurrentIndex(index);
    const int entry = box->itemData(index, kEntryRole).toInt();
    PathEdit(n)->setVisible(entry == kOther);
    if (entry == kOther) {
        PathEdit(n)->setFocus(Qt::OtherFocusReason);
        PathEdit(n)->selectAll();
        return;
    }
    const int listed = entry == kStandard ? StandardEntry(n) : entry;
    if (listed >= 0 && !entries_[std::size_t(listed)].accessible)
        AppMessageBox(ports::NoAccessText(entries_[std::size_t(listed)]));
}

void PortsDialog::Refresh() {
    std::vector<SerialPortEntry> now = lister_.List();
    if (now == entries_)
        return;
    std::array<QString, ports::kCount> chosen;
    std::array<bool, ports::kCount> typing{};
    for (int n = 1; n <= ports::kCount; ++n) {
        chosen[std::size_t(n - 1)] = Chosen(n);
        typing[std::size_t(n - 1)] = Choice(n)->currentData(kEntryRole).toInt() == kOther;
    }
    entries_ = std::move(now);
    for (int n = 1; n <= ports::kCount; ++n) {
        Fill(n, chosen[std::size_t(n - 1)]);
        // IDS_PORTS_OTHER chosen but nothing typed yet stays open for typing.
        if (typing[std::size_t(n - 1)] && chosen[std::size_t(n - 1)].isEmpty()) {
            Choice(n)->setCurrentIndex(OtherIndex(n));
            PathEdit(n)->show();
        }
    }
}

void PortsDialog::accept() {
    ports::Choices choices;
    for (int n = 1; n <= ports::kCount; ++n) {
        const QString device = Chosen(n);
        const bool typed = Choice(n)->currentData(kEntryRole).toInt() == kOther;
        if (typed && (device.isEmpty() || !QDir::isAbsolutePath(device))) {
            AppMessageBox(FormatString(IDS_PORTS_NEED_PATH, {n}));
            PathEdit(n)->setFocus(Qt::OtherFocusReason);
            PathEdit(n)->selectAll();
            return;
        }
        choices[std::size_t(n - 1)] = device;
    }
    if (!ports::StoreChoices(choices)) {
        AppMessageBox(FormatString(IDS_PORTS_NOT_SAVED, {Profile::DefaultPath()}));
        return;
    }
    QDialog::accept();
}
