// SPDX-License-Identifier: GPL-3.0-or-later
// main() of the test executables with windows: headless Qt with widgets,
// private folders, German Qt texts as in the program, and GoogleTest.

#include "TestEnvironment.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    TestEnvironment environment;
    QApplication app(argc, argv);
    QTranslator qtGerman;
    if (qtGerman.load(QStringLiteral("qtbase_de"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtGerman);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
