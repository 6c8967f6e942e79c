// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/PortAssignment.h"

#include "device/PortOpenFailure.h"
#include "platform/files/Profile.h"
#include "platform/serial/SerialDevice.h"
#include "platform/ui/FormatText.h"
#include "platform/ui/StringTable.h"
#include "resources/Resource.h"

#include <QFile>
#include <QFileInfo>
#include <unistd.h>

namespace ports {

namespace {

QString Key(int n) {
    return QStringLiteral("COM%1").arg(n);
}

QString Decoded(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

QString Canonical(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical;
}

} // namespace

std::string DeviceName(int n) {
    if (n < 1)
        return {};
    // The environment comes first so that tests and one-off runs can point a
    // port at a pseudo-terminal without touching the profile.
    std::string device = EnvironmentDevice(n);
    if (!device.empty())
        return device;
    const QString configured = ProfileDevice(n);
    if (!configured.isEmpty())
        return QFile::encodeName(configured).toStdString();
    return DefaultComDeviceName(n);
}

std::string EnvironmentDevice(int n) {
    return qgetenv(("QUINTARA_" + Key(n)).toLatin1().constData()).toStdString();
}

QString ProfileDevice(int n) {
    return Profile().GetString(QStringLiteral("Ports"), Key(n)).trimmed();
}

bool StoreChoices(const Choices& choices) {
    Profile profile;
    for (int n = 1; n <= kCount; ++n) {
        const QString& device = choices[std::size_t(n - 1)];
        if (device.isEmpty())
            profile.Remove(QStringLiteral("Ports"), Key(n));
        else
            profile.SetString(QStringLiteral("Ports"), Key(n), device);
    }
    return profile.Sync();
}

QString ChoiceText(const SerialPortEntry& entry) {
    QString text = FormatString(IDS_PORTS_DEVICE, {entry.description, Decoded(entry.Device())});
    if (!entry.accessible)
        text += QLatin1Char(' ') + LoadStr(IDS_PORTS_NO_ACCESS);
    return text;
}

QString StandardText(int n, bool accessible) {
    QString text = FormatString(IDS_PORTS_STANDARD, {Decoded(DefaultComDeviceName(n))});
    if (!accessible)
        text += QLatin1Char(' ') + LoadStr(IDS_PORTS_NO_ACCESS);
    return text;
}

bool MayOpen(const std::string& path) {
    return ::access(path.c_str(), F_OK) != 0 || ::access(path.c_str(), R_OK | W_OK) == 0;
}

bool SameDevice(const SerialPortEntry& entry, const QString& path) {
    if (path.isEmpty())
        return false;
    const QString wanted = Canonical(path);
    return wanted == Canonical(Decoded(entry.location)) ||
           (!entry.stableName.empty() && path == Decoded(entry.stableName));
}

QString NoAccessText(const SerialPortEntry& entry) {
    return PortPermissionText(entry.Device(), DeviceAccessGroup(entry.location), CurrentUserName());
}

FirstUseOutcome ApplyFirstUse(PortLister& lister,
                              const std::function<bool(const std::string&)>& opens) {
    FirstUseOutcome outcome;
    for (int n = 1; n <= kCount; ++n) {
        if (!EnvironmentDevice(n).empty() || !ProfileDevice(n).isEmpty())
            return outcome;
    }
    const std::vector<SerialPortEntry> devices = lister.List();
    std::vector<const SerialPortEntry*> adapters;
    for (const SerialPortEntry& e : devices) {
        if (e.IsUsbAdapter())
            adapters.push_back(&e);
    }
    // Asked only when there is an adapter to choose: a machine whose own
    // port works needs nothing.
    if (adapters.empty())
        return outcome;
    for (int n = 1; n <= kCount; ++n) {
        if (opens(DefaultComDeviceName(n)))
            return outcome;
    }
    if (adapters.size() > 1) {
        outcome.what = FirstUse::Ask;
        return outcome;
    }
    Choices choices;
    choices[0] = Decoded(adapters.front()->Device());
    if (!StoreChoices(choices))
        return outcome;
    outcome.what = FirstUse::Assigned;
    outcome.adapter = *adapters.front();
    outcome.statusText = FormatString(IDS_PORTS_ASSIGNED, {outcome.adapter.description});
    return outcome;
}

bool DeviceOpens(const std::string& path) {
    return SerialDevice::Open(path) != nullptr;
}

} // namespace ports
