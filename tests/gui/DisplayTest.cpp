// SPDX-License-Identifier: GPL-3.0-or-later
// A start without a display it can reach ends with the program's own
// message and status 1, never with the platform plugin's abort.

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

// An X display number that no server on this machine holds.
QString FreeXDisplay() {
    for (int n = 98; n < 200; ++n) {
        if (!QFile::exists(QString("/tmp/.X11-unix/X%1").arg(n)) &&
            !QFile::exists(QString("/tmp/.X%1-lock").arg(n)))
            return QString(":%1").arg(n);
    }
    return QString();
}

} // namespace

TEST(Display, UnreachableOrMissingDisplayGivesTheMessageAndStatusOne) {
    const QString x = FreeXDisplay();
    ASSERT_FALSE(x.isEmpty());
    struct Case {
        QStringList env; // NAME=value set on top of an environment without any display
        QString message;
    };
    const Case cases[] = {
        {{"DISPLAY=" + x}, x + " ist nicht erreichbar"},
        {{"QT_QPA_PLATFORM=wayland", "WAYLAND_DISPLAY=quintara-fehlt"},
         "quintara-fehlt ist nicht erreichbar"},
        {{"QT_QPA_PLATFORM=xcb"}, "DISPLAY ist nicht gesetzt"},
        {{}, "DISPLAY ist nicht gesetzt"},
    };
    for (const Case& c : cases) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET", "QT_QPA_PLATFORM"})
            env.remove(name);
        for (const QString& pair : c.env)
            env.insert(pair.section('=', 0, 0), pair.section('=', 1));
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(QUINTARA_BINARY_DIR "/quintara"));
        const std::string what = c.env.join(' ').toStdString();
        const bool finished = p.waitForFinished(10000);
        if (!finished) {
            p.kill();
            p.waitForFinished(2000);
        }
        ASSERT_TRUE(finished) << what;
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << what;
        EXPECT_EQ(p.exitCode(), 1) << what;
        EXPECT_EQ(p.readAllStandardError().toStdString(),
                  ("Quintara: Keine Anzeige gefunden (" + c.message + ").\n").toStdString())
            << what;
    }
}
