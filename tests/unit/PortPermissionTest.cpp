// SPDX-License-Identifier: GPL-3.0-or-later
// A serial device the user may not open: the message names the device, the
// group that may use it and the command that adds the user to it. Kept out of
// the serial tests, which run under the thread checker: one test forks.

#include "ScriptedUiHost.h"
#include "device/ComPort.h"
#include "device/PortOpenFailure.h"

#include <QTemporaryDir>
#include <cerrno>
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString kGroupText = QString::fromUtf8(
    "Keine Berechtigung für /dev/ttyUSB0.\nGehört der Benutzer anna zur Gruppe dialout? "
    "Aufnehmen mit:\nsudo usermod -aG dialout anna\nDanach neu anmelden.");

gid_t GroupId(const char* name) {
    const group* g = ::getgrnam(name);
    return g ? g->gr_gid : gid_t(-1);
}

} // namespace

TEST(PortPermission, ARefusalNamesTheGroupOtherFailuresKeepTheOpenError) {
    EXPECT_EQ(PortOpenFailureText(1, "/dev/ttyUSB0", EACCES, "dialout", "anna"), kGroupText);
    EXPECT_EQ(PortOpenFailureText(2, "/dev/ttyUSB0", EPERM, "", "anna"),
              QString::fromUtf8("Keine Berechtigung für /dev/ttyUSB0.\nDer Benutzer anna braucht "
                                "das Recht, das Gerät zu lesen und zu schreiben; das kann der "
                                "Systemverwalter geben."));
    for (const int error : {ENOENT, EBUSY, EIO})
        EXPECT_EQ(PortOpenFailureText(3, "/dev/ttyUSB0", error, "dialout", "anna"),
                  QString::fromUtf8("Fehler beim Öffnen von COM3.\nMöglicherweise wird der "
                                    "Anschluss von einem andern Programm verwendet."));

    // Only a group that may read and write the device, and not the
    // superuser's, is worth joining.
    const gid_t dialout = GroupId("dialout");
    if (::geteuid() != 0 || dialout == gid_t(-1))
        GTEST_SKIP() << "needs root and a group dialout to give a file away";
    QTemporaryDir dir;
    const std::string path = QFile::encodeName(dir.filePath(QStringLiteral("tty"))).toStdString();
    const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(fd, 0);
    ::close(fd);
    ASSERT_EQ(::chown(path.c_str(), 0, dialout), 0);
    for (const mode_t mode : {0600, 0640, 0620}) {
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        EXPECT_EQ(DeviceAccessGroup(path), "") << mode;
    }
    ASSERT_EQ(::chmod(path.c_str(), 0660), 0);
    EXPECT_EQ(DeviceAccessGroup(path), "dialout");
    ASSERT_EQ(::chown(path.c_str(), 0, 0), 0);
    EXPECT_EQ(DeviceAccessGroup(path), "");
    EXPECT_EQ(DeviceAccessGroup(path + "-missing"), "");
    EXPECT_FALSE(CurrentUserName().empty());
}

TEST(PortPermission, AUserOutsideTheDevicesGroupIsToldWhy) {
    const gid_t dialout = GroupId("dialout");
    if (::geteuid() != 0 || dialout == gid_t(-1))
        GTEST_SKIP() << "needs root (to become nobody) and a group dialout";
    int master = -1;
    int slave = -1;
    ASSERT_EQ(::openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
    const std::string path = ::ttyname(slave);
    ASSERT_EQ(::chown(path.c_str(), 0, dialout), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0660), 0);
    qputenv("QUINTARA_COM1", QByteArray::fromStdString(path));

    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // As nobody, in no group that may use the terminal.
        ::close(pipeFds[0]);
        if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(2);
        ScriptedUiHost ui;
        CComPort port;
        // The probe stays silent; only opening the chosen port says why.
        const int found = port.FindPort(0, 1);
        port.FindPort(1, 1);
        const int opened = port.Open();
        QByteArray report = QByteArray::number(found) + ' ' + QByteArray::number(opened) + ' ' +
                            ui.MessageTexts().join(QStringLiteral("|")).toUtf8();
        const bool sent =
            ::write(pipeFds[1], report.constData(), std::size_t(report.size())) == report.size();
        ::_exit(sent ? 0 : 3);
    }
    ::close(pipeFds[1]);
    QByteArray report;
    char buffer[512];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, int(n));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    qunsetenv("QUINTARA_COM1");
    ::close(slave);
    ::close(master);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    QString expected = kGroupText;
    expected.replace(QStringLiteral("/dev/ttyUSB0"), QString::fromStdString(path));
    const passwd* nobody = ::getpwuid(65534);
    expected.replace(QStringLiteral("anna"),
                     QString::fromLocal8Bit(nobody ? nobody->pw_name : "$USER"));
    EXPECT_EQ(QString::fromUtf8(report), QStringLiteral("0 0 ") + expected);
}
