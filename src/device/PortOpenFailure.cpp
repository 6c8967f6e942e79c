// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/PortOpenFailure.h"

#include "platform/ui/FormatText.h"
#include "resources/Resource.h"

#include <QFile>
#include <cerrno>

bool IsPermissionError(int error) {
    return error == EACCES || error == EPERM;
}

QString PortPermissionText(const std::string& device, const std::string& group,
                           const std::string& user) {
    const QString path = QFile::decodeName(QByteArray::fromStdString(device));
    const QString who = QString::fromLocal8Bit(user.c_str());
    if (group.empty())
        return MessageString(IDS_ERR_PORT_NO_ACCESS, {path, who});
    const QString team = QString::fromLocal8Bit(group.c_str());
    return MessageString(IDS_ERR_PORT_GROUP, {path, who, team});
}

QString PortOpenFailureText(int port, const std::string& device, int error,
                            const std::string& group, const std::string& user) {
    if (IsPermissionError(error))
        return PortPermissionText(device, group, user);
    return MessageString(IDS_ERR_OPEN_PORT, {unsigned(port)});
}
