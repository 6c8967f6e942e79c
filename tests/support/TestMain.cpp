// main() of every test executable: headless Qt, private runtime, profile and
// data folders, German Qt texts as in the program, and GoogleTest.

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTemporaryDir>
#include <QTranslator>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Without a platform the test binary cannot even list its tests.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtime.isValid())
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    // The tests must never touch the user's own profile, nor register the
    // file type in the user's own data folder (programs they start inherit
    // these folders too).
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    qunsetenv("QUINTARA_PROFILE");

    QApplication app(argc, argv);
    QTranslator qtGerman;
    if (qtGerman.load(QStringLiteral("qtbase_de"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtGerman);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
