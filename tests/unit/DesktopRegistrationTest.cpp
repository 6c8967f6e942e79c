#include "app/desktop/DesktopRegistration.h"
#include "app/desktop/DesktopFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class DesktopRegistrationTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        setup.executable = QStringLiteral("/opt/Neuer Ordner/quintara");
        setup.dataHome = dir.filePath("data");
        // The real refresh tools, run to their end, so that the second
        // start sees databases that know the program.
        setup.launcher = [this](const QString& program, const QStringList& args) {
            launched << program;
            QProcess tool;
            tool.setProcessChannelMode(QProcess::MergedChannels);
            tool.setStandardOutputFile(QProcess::nullDevice());
            tool.start(program, args);
            tool.waitForFinished(30000);
        };
    }
    bool HaveTools() const {
        return !QStandardPaths::findExecutable("update-mime-database").isEmpty() &&
               !QStandardPaths::findExecutable("update-desktop-database").isEmpty();
    }
    QString Data(const QString& relative) const { return setup.dataHome + "/" + relative; }

    QTemporaryDir dir;
    DesktopRegistration::Setup setup;
    QStringList launched;
};

} // namespace

TEST_F(DesktopRegistrationTest, RegistersOnceAndThenLeavesEverythingAlone) {
    if (!HaveTools())
        GTEST_SKIP() << "update-mime-database or update-desktop-database missing";
    const auto first = DesktopRegistration::Update(setup);
    EXPECT_FALSE(first.systemInstall);
    EXPECT_FALSE(first.failed);
    EXPECT_EQ(first.filesWritten, int(2 + 2 * DesktopFiles::IconSizes().size()));
    EXPECT_EQ(launched, QStringList({"update-mime-database", "update-desktop-database"}));
    // The databases now know the type, its globs and the program for it.
    const QByteArray globs = Read(Data("mime/globs2"));
    // Globs match regardless of case; the database keeps them in lower case.
    EXPECT_TRUE(globs.contains("application/x-quintara-v7n:*.v7n")) << globs.constData();
    EXPECT_TRUE(Read(Data("applications/mimeinfo.cache"))
                    .contains("application/x-quintara-v7n=quintara.desktop;"));
    const QByteArray entry = Read(Data("applications/quintara.desktop"));
    EXPECT_TRUE(entry.contains("\nExec=\"/opt/Neuer Ordner/quintara\" %f\n")) << entry.constData();
    EXPECT_TRUE(
        QFileInfo(Data("icons/hicolor/256x256/mimetypes/application-x-quintara-v7n.png")).size() >
        0);
    EXPECT_FALSE(QImage(Data("icons/hicolor/48x48/apps/quintara.png")).isNull());

    const QDateTime written = QFileInfo(Data("applications/quintara.desktop")).lastModified();
    launched.clear();
    const auto second = DesktopRegistration::Update(setup);
    EXPECT_EQ(second.filesWritten, 0);
    EXPECT_TRUE(launched.isEmpty()) << launched.join(' ').toStdString();
    EXPECT_EQ(QFileInfo(Data("applications/quintara.desktop")).lastModified(), written);
}

TEST_F(DesktopRegistrationTest, RewritesWhatDiffersAndRefreshesOnlyItsDatabase) {
    if (!HaveTools())
        GTEST_SKIP() << "update-mime-database or update-desktop-database missing";
    DesktopRegistration::Update(setup);

    // An entry left by another build, and a lost icon.
    Write(Data("applications/quintara.desktop"),
          "[Desktop Entry]\nType=Application\nName=Quintara\nExec=/alt/quintara %f\n");
    QFile::remove(Data("icons/hicolor/16x16/apps/quintara.png"));
    launched.clear();
    auto result = DesktopRegistration::Update(setup);
    EXPECT_EQ(result.filesWritten, 2);
    EXPECT_EQ(launched, QStringList({"update-desktop-database"}));
    EXPECT_EQ(Read(Data("applications/quintara.desktop")),
              DesktopFiles::DesktopEntry(setup.executable));
    EXPECT_EQ(Read(Data("icons/hicolor/16x16/apps/quintara.png")), DesktopFiles::AppIconPng(16));

    // The program moved: the entry follows it.
    setup.executable = QStringLiteral("/home/jürgen/bin/quintara");
    launched.clear();
    result = DesktopRegistration::Update(setup);
    EXPECT_EQ(result.filesWritten, 1);
    EXPECT_EQ(launched, QStringList({"update-desktop-database"}));
    EXPECT_TRUE(Read(Data("applications/quintara.desktop"))
                    .contains("\nExec=/home/jürgen/bin/quintara %f\n"));

    // A MIME package of an older version.
    Write(Data("mime/packages/quintara.xml"), "<mime-info/>");
    launched.clear();
    result = DesktopRegistration::Update(setup);
    EXPECT_EQ(result.filesWritten, 1);
    EXPECT_EQ(launched, QStringList({"update-mime-database"}));
}

TEST_F(DesktopRegistrationTest, SystemInstallIsLeftToThePackage) {
    const QString prefix = dir.filePath("usr");
    Write(prefix + "/bin/quintara", "");
    Write(prefix + "/share/applications/quintara.desktop", "");
    Write(prefix + "/share/mime/packages/quintara.xml", "");
    setup.executable = prefix + "/bin/quintara";
    setup.systemPrefixes = {prefix};
    const auto result = DesktopRegistration::Update(setup);
    EXPECT_TRUE(result.systemInstall);
    EXPECT_EQ(result.filesWritten, 0);
    EXPECT_TRUE(launched.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(setup.dataHome));

    // A program copied into the prefix by hand, without the desktop files,
    // registers itself.
    QFile::remove(prefix + "/share/mime/packages/quintara.xml");
    setup.launcher = [this](const QString& program, const QStringList&) { launched << program; };
    EXPECT_FALSE(DesktopRegistration::Update(setup).systemInstall);
    EXPECT_TRUE(QFileInfo::exists(Data("applications/quintara.desktop")));
}

TEST_F(DesktopRegistrationTest, UnwritableDataFolderFailsQuietly) {
    // A file where the folder should be.
    Write(dir.filePath("blocked"), "x");
    setup.dataHome = dir.filePath("blocked");
    setup.launcher = [this](const QString& program, const QStringList&) { launched << program; };
    const auto result = DesktopRegistration::Update(setup);
    EXPECT_TRUE(result.failed);
    EXPECT_EQ(result.filesWritten, 0);
    EXPECT_TRUE(launched.isEmpty());
}

TEST(DesktopFilesTest, ExecLineQuotesAwkwardPathsAsDesktopEntriesRequire) {
    EXPECT_EQ(DesktopFiles::ExecArgument("/usr/bin/quintara"), "/usr/bin/quintara");
    EXPECT_EQ(DesktopFiles::ExecArgument("/opt/100%/quintara"), "/opt/100%%/quintara");
    EXPECT_EQ(DesktopFiles::ExecArgument("/home/a b/q"), "\"/home/a b/q\"");
    const QString awkward = QStringLiteral("/tmp/Grüße \"x\"/$y\\z/quintara");
    EXPECT_EQ(DesktopFiles::ExecArgument(awkward), "\"/tmp/Grüße \\\"x\\\"/\\$y\\\\z/quintara\"");
    const QByteArray entry = DesktopFiles::DesktopEntry(awkward);
    // In the file every backslash is doubled once more.
    const QString exec =
        QStringLiteral("Exec=\"/tmp/Grüße \\\\\"x\\\\\"/\\\\$y\\\\\\\\z/quintara\"");
    EXPECT_TRUE(entry.contains((QLatin1Char('\n') + exec + QLatin1String(" %f\n")).toUtf8()))
        << entry.constData();
    // File managers offer printing the strip from its file.
    EXPECT_TRUE(
        entry.contains(("\n[Desktop Action print]\nName=Drucken\n" + exec + " /p %F\n").toUtf8()))
        << entry.constData();

    const QString validate = QStandardPaths::findExecutable("desktop-file-validate");
    if (validate.isEmpty())
        GTEST_SKIP() << "desktop-file-validate missing";
    QTemporaryDir dir;
    for (const QString& exe : {QStringLiteral("quintara"), awkward}) {
        const QString path = dir.filePath("quintara.desktop");
        QFile::remove(path);
        Write(path, DesktopFiles::DesktopEntry(exe));
        QProcess p;
        p.start(validate, {path});
        ASSERT_TRUE(p.waitForFinished(10000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardOutput().constData();
        EXPECT_TRUE(p.readAllStandardOutput().isEmpty());
    }
}
