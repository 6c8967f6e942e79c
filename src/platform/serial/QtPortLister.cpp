// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/serial/QtPortLister.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <algorithm>
#include <map>
#include <unistd.h>

namespace {

// The device each by-id link points at, and the link.
std::map<QString, QString> StableNames() {
    std::map<QString, QString> names;
    const QDir byId(QStringLiteral("/dev/serial/by-id"));
    const QFileInfoList links = byId.entryInfoList(QDir::System | QDir::Files, QDir::Name);
    for (const QFileInfo& link : links) {
        const QString target = link.canonicalFilePath();
        if (!target.isEmpty())
            names.emplace(target, link.absoluteFilePath());
    }
    return names;
}

std::string Native(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace

std::vector<SerialPortEntry> QtPortLister::List() {
    const std::map<QString, QString> stable = StableNames();
    std::vector<SerialPortEntry> entries;
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : ports) {
        SerialPortEntry e;
        const QString location = info.systemLocation();
        e.location = Native(location);
        const QString canonical = QFileInfo(location).canonicalFilePath();
        if (const auto it = stable.find(canonical.isEmpty() ? location : canonical);
            it != stable.end())
            e.stableName = Native(it->second);
        e.description = info.description().isEmpty() ? info.portName() : info.description();
        e.manufacturer = info.manufacturer();
        e.serialNumber = info.serialNumber();
        if (info.hasVendorIdentifier())
            e.vendorId = info.vendorIdentifier();
        if (info.hasProductIdentifier())
            e.productId = info.productIdentifier();
        // What open() would say for this user, without opening (and so
        // without disturbing) a device another program may hold.
        e.accessible = ::access(e.location.c_str(), R_OK | W_OK) == 0;
        entries.push_back(std::move(e));
    }
    std::sort(
        entries.begin(), entries.end(),
        [](const SerialPortEntry& a, const SerialPortEntry& b) { return a.location < b.location; });
    return entries;
}
