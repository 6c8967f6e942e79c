// SPDX-License-Identifier: GPL-3.0-or-later
// Printing from the command line through the built program: the PDF of
// --print-to-pdf read back with pdftotext and pdftoppm, and the failures
// that must end with a message on standard error and exit status 1.

#include "AppFixture.h"
#include "StripFiles.h"
#include "platform/base/CodePage.h"
#include "platform/ui/FormatText.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

struct Outcome {
    int exitCode = -1;
    QString out;
    QString err;
};

Outcome Execute(const QString& program, const QStringList& args, bool withoutDisplay = false,
                const std::function<void()>& inChild = {}) {
    QProcess p;
    if (inChild)
        p.setChildProcessModifier(inChild);
    if (withoutDisplay) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(name);
        p.setProcessEnvironment(env);
    }
    p.start(program, args);
    Outcome r;
    if (!p.waitForFinished(60000))
        return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

Outcome Quintara(const QStringList& args, const std::function<void()>& inChild = {}) {
    return Execute(QStringLiteral(QUINTARA_BINARY_DIR "/quintara"), args, true, inChild);
}

// A disk that is full after 4 KB: every write beyond fails (EFBIG, or the
// signal SIGXFSZ for a program that does not ignore it).
void FourKilobyteDisk() {
    const rlimit limit{4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

QStringList FilesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

bool IsMark(QColor c) {
    return c.lightness() < 240;
}

class BatchPrint : public AppFixture {
protected:
    QString demo = QStringLiteral(QUINTARA_TEST_DATA "/demo.V7N");
};

} // namespace

TEST_F(BatchPrint, PrintToPdfGivesOneA4PageWithTheStripAtTheMargins) {
    const QString pdf = TempPath("demo.pdf");
    const Outcome run = Quintara({"--print-to-pdf", pdf, demo});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    // Two names run past their field: one warning, and the page is printed.
    EXPECT_EQ(run.err, QStringLiteral("Quintara: Warnung: 2 Namen passen nicht in ihr Feld: "
                                      "Geschäftsführung, Konferenzraum.\n"));
    EXPECT_TRUE(run.out.isEmpty());

    const Outcome info = Execute("pdfinfo", {pdf});
    EXPECT_TRUE(info.out.contains(QRegularExpression("Pages:\\s+1\\n")));
    EXPECT_TRUE(info.out.contains("595 x 842 pts (A4)"));

    // Every name, the title and today's date.
    CommandLineInfo open;
    open.action = CommandLineInfo::Action::Open;
    open.file = demo;
    Start(open);
    const Outcome text = Execute("pdftotext", {pdf, "-"});
    for (int i = 0; i < 16; ++i) {
        const QString name = codepage::Cp1252ToUnicode(Doc().GetName(i));
        if (!name.isEmpty()) {
            EXPECT_TRUE(text.out.contains(name)) << i;
        }
    }
    EXPECT_TRUE(text.out.contains("demo.V7N"));
    EXPECT_TRUE(text.out.contains(QDate::currentDate().toString("dd.MM.yyyy")));

    // At 254 dots per inch one pixel is a tenth of a millimetre.
    ASSERT_EQ(
        Execute("pdftoppm", {"-r", "254", "-png", "-singlefile", pdf, TempPath("page")}).exitCode,
        0);
    const QImage page(TempPath("page.png"));
    ASSERT_FALSE(page.isNull());
    ASSERT_EQ(View().zoomX, 100);
    ASSERT_EQ(View().zoomY, 100);
    const int left = View().leftMargin;
    const int top = View().topMargin;
    const int middle = top + 600;
    int l = 0;
    while (l < page.width() && !IsMark(page.pixelColor(l, middle)))
        ++l;
    int r = page.width() - 1;
    while (r > 0 && !IsMark(page.pixelColor(r, middle)))
        --r;
    int t = 0;
    while (t < page.height() && !IsMark(page.pixelColor(l + 2, t)))
        ++t;
    int b = t + 1212 + 40; // in the gap between the strip and the title
    while (b > t && !IsMark(page.pixelColor(l + 2, b)))
        --b;
    EXPECT_NEAR(l, left, 1);
    EXPECT_NEAR(t, top, 1);
    EXPECT_NEAR(r - l + 1, 260, 1);  // 26.0 mm
    EXPECT_NEAR(b - t + 1, 1212, 1); // 121.2 mm

    // Set narrower, every name's last glyph ends before the right indent.
    const QString fitted = TempPath("fit.pdf");
    const Outcome fit = Quintara({"--fit", "--print-to-pdf", fitted, demo});
    ASSERT_EQ(fit.exitCode, 0);
    EXPECT_TRUE(fit.err.isEmpty()) << fit.err.toStdString();
    const double limit = (left + 260 - View().textOffset) * 72.0 / 254; // points
    const QRegularExpression word("xMax=\"([0-9.]+)\"[^>]*>([^<]+)</word>");
    int names = 0;
    for (const auto& m : word.globalMatch(Execute("pdftotext", {"-bbox", fitted, "-"}).out)) {
        if (m.captured(2) == "demo.V7N")
            break; // the footer
        ++names;
        EXPECT_LT(m.captured(1).toDouble(), limit) << m.captured(2).toStdString();
    }
    EXPECT_EQ(names, 16);
}

TEST_F(BatchPrint, QtsSwitchesGoToQtAndTheRestToTheProgram) {
    const QString pdf = TempPath("qt.pdf");
    const Outcome print = Quintara(
        {"-platform", "offscreen", "-reverse", "--print-to-pdf", pdf, "-style", "Fusion", demo});
    EXPECT_EQ(print.exitCode, 0) << print.err.toStdString();
    EXPECT_TRUE(Execute("pdfinfo", {pdf}).out.contains(QRegularExpression("Pages:\\s+1\\n")));

    const Outcome version = Quintara({"-style", "Fusion", "--version"});
    EXPECT_EQ(version.exitCode, 0);
    const QStringList lines = version.out.split('\n');
    ASSERT_GE(lines.size(), 3) << version.out.toStdString();
    EXPECT_EQ(lines[0], "quintara " QUINTARA_VERSION);
    EXPECT_TRUE(lines[1].startsWith(QString::fromUtf8("Copyright © "))) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith("Lizenz GPLv3+: GNU GPL Version 3 oder neuer"))
        << lines[2].toStdString();

    // What neither Qt nor the program knows is still refused.
    const Outcome unknown = Quintara({"-stil", "Fusion", "--version"});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(unknown.err.startsWith("Quintara: Unbekannte Option: -stil\n"))
        << unknown.err.toStdString();
}

TEST_F(BatchPrint, SeveralFilesShareSheetsAndAnUnreadableOneIsNamed) {
    // Seven strips at full size: six on the first page, one on the second.
    QStringList files;
    for (const char* name : {"a", "b", "c", "d", "e", "f", "g"}) {
        files << TempPath(QString(name) + ".V7N");
        ASSERT_TRUE(QFile::copy(demo, files.back()));
    }
    const QString pdf = TempPath("sheet.pdf");
    const Outcome run = Quintara(QStringList{"--print-to-pdf", pdf} + files);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.err.count("Quintara: Warnung: "), 7); // the demo's two long names, per strip
    EXPECT_TRUE(Execute("pdfinfo", {pdf}).out.contains(QRegularExpression("Pages:\\s+2\\n")));
    const QString text = Execute("pdftotext", {pdf, "-"}).out;
    for (const char* title : {"a.V7N", "b.V7N", "c.V7N", "d.V7N", "e.V7N", "f.V7N", "g.V7N"})
        EXPECT_EQ(text.count(title), 1) << title;
    EXPECT_EQ(text.count("Zentrale"), 7);
    EXPECT_EQ(Execute("pdftotext", {"-f", "2", pdf, "-"}).out.count("V7N"), 1);
    EXPECT_TRUE(Execute("pdfinfo", {pdf}).out.contains(" a.V7N ... und 6 weitere\n"));

    // A broken file among good ones is named, the others are printed, and
    // the run fails.
    const QString broken = TempPath("kaputt.V7N");
    WriteFileBytes(broken, Bytes{'x'});
    const QString partial = TempPath("partial.pdf");
    const Outcome some = Quintara({"--print-to-pdf", partial, files[0], broken, files[1]});
    EXPECT_EQ(some.exitCode, 1);
    EXPECT_TRUE(some.err.contains(broken + ": ")) << some.err.toStdString();
    const QString printed = Execute("pdftotext", {partial, "-"}).out;
    EXPECT_TRUE(printed.contains("a.V7N") && printed.contains("b.V7N"));
    EXPECT_FALSE(printed.contains("kaputt"));
}

TEST_F(BatchPrint, ImportCsvFillsTheStripBeforePrinting) {
    const QString csv = TempPath("namen.csv");
    const std::string names = "Taste;Name\n1;Pf\xC3\xB6rtner\n2;Kantine\n";
    WriteFileBytes(csv, Bytes(names.begin(), names.end()));
    const QString pdf = TempPath("csv.pdf");
    const Outcome run = Quintara({"--import-csv", csv, "--print-to-pdf", pdf, demo});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const Outcome text = Execute("pdftotext", {pdf, "-"});
    EXPECT_TRUE(text.out.contains(QString::fromUtf8("Pförtner")));
    EXPECT_TRUE(text.out.contains("Kantine"));
    EXPECT_FALSE(text.out.contains("Zentrale")); // the file's own names are replaced
    EXPECT_TRUE(text.out.contains("demo.V7N"));
}

TEST_F(BatchPrint, CalibrationPdfHoldsTheTestPageAtTheStripsPlace) {
    const QString pdf = TempPath("test.pdf");
    const Outcome run = Quintara({"--calibration-pdf", pdf, demo});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(Execute("pdfinfo", {pdf}).out.contains("595 x 842 pts (A4)"));
    const QString text = Execute("pdftotext", {pdf, "-"}).out;
    EXPECT_TRUE(text.contains(QString::fromUtf8("Länge von Balken A")));
    EXPECT_FALSE(text.contains("demo.V7N")) << "no names, no footer";

    CommandLineInfo open;
    open.action = CommandLineInfo::Action::Open;
    open.file = demo;
    Start(open);
    ASSERT_EQ(
        Execute("pdftoppm", {"-r", "254", "-png", "-singlefile", pdf, TempPath("page")}).exitCode,
        0);
    const QImage page(TempPath("page.png"));
    // One pixel is 0.1 mm: bar A runs from the frame's corner along its
    // top, 1 mm above its line.
    const int left = View().leftMargin;
    const int row = View().topMargin - 12;
    int end = left;
    while (end < page.width() && IsMark(page.pixelColor(end, row)))
        ++end;
    EXPECT_FALSE(IsMark(page.pixelColor(left - 2, row)));
    EXPECT_NEAR(end - left, 10 * View().zoomX, 2);
}

TEST_F(BatchPrint, FailuresSayWhyOnStandardErrorAndExitWithOne) {
    const QString pdf = TempPath("never.pdf");
    const QString badCsv = TempPath("bad.csv");
    WriteFileBytes(badCsv, Bytes{'"', 'x'});
    // A colour cell of a megabyte, over many lines: one short line on standard error.
    const QString longCsv = TempPath("lang.csv");
    std::string longCell = "Name;Farbe\nA;\"";
    while (longCell.size() < 1000000)
        longCell += std::string(59, 'x') + "\n";
    longCell += "\"\n";
    WriteFileBytes(longCsv, Bytes(longCell.begin(), longCell.end()));
    ASSERT_TRUE(QFile::copy(demo, TempPath("copy.V7N")));
    struct Case {
        QStringList args;
        QString message;
    };
    std::vector<Case> cases = {
        {{"--print-to-pdf", pdf, TempPath("missing.V7N")}, "Diese Datei konnte nicht gefunden"},
        {{"--print-to-pdf", TempPath("no/folder/out.pdf"), demo},
         "Quintara: In die Datei " + TempPath("no/folder/out.pdf") +
             " kann nicht geschrieben werden.\n"},
        {{"--print-to-pdf", dir.path(), demo}, "kann nicht geschrieben werden."},
        {{"/pt", demo, "Quintara-Test-Kein-Drucker", "treiber", "anschluss"},
         "Quintara: Den Drucker \"Quintara-Test-Kein-Drucker\" gibt es nicht.\n"},
        {{"/p"}, "Quintara: /p erwartet mindestens eine Datei."},
        {{"--import-csv", badCsv, "--print-to-pdf", pdf, demo},
         "Zeile 1 wird nicht geschlossen. Es wurde nichts geändert."},
        {{"--import-csv", longCsv, "--print-to-pdf", pdf, demo},
         "Quintara: " + longCsv + ", Zeile 2: \"" + QString(kQuotedChars, 'x') +
             "...\" ist keine Farbe der Form #RRGGBB. Es wurde nichts geändert.\n"},
        {{"--import-csv", badCsv, "--print-to-pdf", pdf, demo, demo},
         "--import-csv füllt einen Streifen"},
        {{"--print-to-pdf", TempPath("copy.V7N"), demo, TempPath("copy.V7N")},
         "ist die Datei, die gedruckt werden soll"},
    };
    if (QPrinterInfo::defaultPrinterName().isEmpty())
        cases.push_back({{"/p", demo}, "Quintara: Es ist kein Standarddrucker eingerichtet.\n"});
    for (const Case& c : cases) {
        const Outcome run = Quintara(c.args);
        const std::string what = c.args.join(' ').toStdString();
        EXPECT_EQ(run.exitCode, 1) << what;
        EXPECT_TRUE(run.err.startsWith("Quintara: ")) << what << ": " << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(c.message)) << what << ": " << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << what;
    }
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(BatchPrint, PdfOutputNeverReplacesAFileThatIsNotItsOwn) {
    const QString strip = TempPath("strip.V7N");
    const QString link = TempPath("link.pdf");
    const QString pipe = TempPath("pipe.pdf");
    WriteFileBytes(strip, TestDataFile("demo.V7N"));
    ASSERT_EQ(::link(QFile::encodeName(strip).constData(), QFile::encodeName(link).constData()), 0);
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
    const QString notPdf =
        QString::fromUtf8(" ist keine PDF-Datei und wird nicht überschrieben.\n");
    const QString isInput = QString::fromUtf8(" ist die Datei, die gedruckt werden soll; sie wird "
                                              "nicht mit der PDF-Datei überschrieben.\n");
    const struct {
        QStringList args;
        QString message;
    } cases[] = {
        {{"--print-to-pdf", strip}, strip + notPdf}, // the output name forgotten
        {{"--print-to-pdf", strip, strip}, strip + isInput},
        {{"--print-to-pdf", link, strip}, link + isInput},
        {{"--print-to-pdf", pipe, demo}, pipe + notPdf}, // would wait for a reader
        {{"--calibration-pdf", link, strip}, link + isInput},
        {{"--calibration-pdf", pipe, demo}, pipe + notPdf},
    };
    for (const auto& c : cases) {
        const Outcome run = Quintara(c.args);
        EXPECT_EQ(run.exitCode, 1) << c.args.join(' ').toStdString();
        EXPECT_EQ(run.err.toStdString(), ("Quintara: " + c.message).toStdString());
    }
    EXPECT_EQ(ReadFileBytes(strip), TestDataFile("demo.V7N"));
    EXPECT_EQ(FilesIn(dir.path()), QStringList({"link.pdf", "pipe.pdf", "strip.V7N"}));
}

TEST_F(BatchPrint, FullDiskKeepsTheOlderPdfAndLeavesNoTemporaryFile) {
    const QString old = TempPath("old.pdf");
    ASSERT_EQ(Quintara({"--print-to-pdf", old, demo}).exitCode, 0);
    ASSERT_EQ(::chmod(QFile::encodeName(old).constData(), 0640), 0);
    const Bytes before = ReadFileBytes(old);
    ASSERT_GT(before.size(), 4096u);

    for (const QString& target : {old, TempPath("new.pdf")}) {
        const Outcome run = Quintara({"--print-to-pdf", target, demo}, FourKilobyteDisk);
        EXPECT_EQ(run.exitCode, 1);
        // After the warning about the demo strip's two long names.
        EXPECT_TRUE(run.err.endsWith("\nQuintara: In die Datei " + target +
                                     " kann nicht geschrieben werden.\n"))
            << run.err.toStdString();
    }
    EXPECT_EQ(ReadFileBytes(old), before);
    EXPECT_EQ(FilesIn(dir.path()), QStringList({"old.pdf"}));

    // With room, an older PDF is replaced and keeps its permissions; an
    // empty file (a name made by mktemp) may be written too.
    const QString empty = TempPath("empty.pdf");
    WriteFileBytes(empty, {});
    for (const QString& target : {old, empty}) {
        const Outcome run = Quintara({"--print-to-pdf", target, demo});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(ReadFileBytes(target).size(), before.size());
    }
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(old).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(BatchPrint, AProfileThatIsNoRegularFileCostsItsSettingsNotTheRun) {
    const QString fifo = TempPath("profil.fifo");
    const QString node = TempPath("profil.node");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QStringList profiles = {fifo};
    // A device node of its own in the test's folder; only root may make one.
    if (::mknod(QFile::encodeName(node).constData(), S_IFCHR | 0600, makedev(1, 3)) == 0)
        profiles << node;
    for (const QString& profile : profiles) {
        qputenv("QUINTARA_PROFILE", QFile::encodeName(profile));
        const QString pdf = TempPath("profil.pdf");
        const Outcome run = Quintara({"--print-to-pdf", pdf, demo});
        EXPECT_EQ(run.exitCode, 0) << profile.toStdString() << ": " << run.err.toStdString();
        EXPECT_EQ(run.err.count("Quintara: Das Profil "), 1) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(
            "Quintara: Das Profil " + profile +
            QString::fromUtf8(" ist keine gewöhnliche Datei und bleibt unberührt;")))
            << run.err.toStdString();
        EXPECT_TRUE(QFile::remove(pdf)) << profile.toStdString();
    }
    qunsetenv("QUINTARA_PROFILE"); // as the test environment has it
    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(fifo).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    if (profiles.size() < 2)
        GTEST_SKIP() << "only root can make a device node; the FIFO was checked";
    ASSERT_EQ(::lstat(QFile::encodeName(node).constData(), &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
}

TEST_F(BatchPrint, AStripWithBytesAfterItsLastNameIsPrintedWithTheWarning) {
    const QString torn = TempPath("kaputt.V7N");
    Bytes bytes = TestDataFile("demo.V7N");
    bytes.insert(bytes.end(), {'a', 'l', 't'});
    WriteFileBytes(torn, bytes);
    const QString warning =
        "Quintara: Die Datei " + torn + QString::fromUtf8(" ist beschädigt: Hinter dem letzten");
    for (const QStringList& files : {QStringList{torn}, QStringList{demo, torn}}) {
        const QString pdf = TempPath("kaputt.pdf");
        const Outcome run = Quintara(QStringList{"--print-to-pdf", pdf} + files);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(run.err.count(warning), 1) << run.err.toStdString();
        EXPECT_EQ(Execute("pdftotext", {pdf, "-"}).out.count("Zentrale"), files.size());
        EXPECT_TRUE(QFile::remove(pdf));
    }
    EXPECT_EQ(ReadFileBytes(torn), bytes) << "printing leaves the file as it is";
}
