// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"

#include <QFile>

TestEnvironment::TestEnvironment() {
    // Without a platform the test binary cannot even list its tests.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtime_.isValid())
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime_.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config_.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(data_.path()));
    qputenv("XDG_STATE_HOME", QFile::encodeName(state_.path()));
    qunsetenv("QUINTARA_PROFILE");
}
