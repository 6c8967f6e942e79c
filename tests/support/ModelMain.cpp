// SPDX-License-Identifier: GPL-3.0-or-later
// main() of the model's tests: fonts and images need a Gui application,
// nothing here needs a widget.

#include "TestEnvironment.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    TestEnvironment environment;
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
