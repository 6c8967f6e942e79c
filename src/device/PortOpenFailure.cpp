#include "device/PortOpenFailure.h"

#include "platform/ui/Printf.h"
#include "platform/ui/StringTable.h"
#include "resources/Resource.h"

#include <QFile>
#include <cerrno>

namespace {

QString Formatted(int stringId, std::initializer_list<PrintfArg> args) {
    QString text = FormatPrintf(LoadStr(stringId), args);
    // Cut like every other message of the program.
    if (text.size() > 499)
        text.truncate(499);
    return text;
}

} // namespace

bool IsPermissionError(int error) {
    return error == EACCES || error == EPERM;
}

QString PortPermissionText(const std::string& device, const std::string& group,
                           const std::string& user) {
    const QString path = QFile::decodeName(QByteArray::fromStdString(device));
    const QString who = QString::fromLocal8Bit(user.c_str());
    if (group.empty())
        return Formatted(IDS_ERR_PORT_NO_ACCESS, {path, who});
    const QString team = QString::fromLocal8Bit(group.c_str());
    return Formatted(IDS_ERR_PORT_GROUP, {path, who, team, team, who});
}

QString PortOpenFailureText(int port, const std::string& device, int error,
                            const std::string& group, const std::string& user) {
    if (IsPermissionError(error))
        return PortPermissionText(device, group, user);
    return Formatted(IDS_ERR_OPEN_PORT, {port});
}
